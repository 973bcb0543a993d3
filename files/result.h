#pragma once

#include <optional>
#include <utility>
#include <variant>

#include <QString>

// The program's one way to fail: a value, or the failure that stopped it. A failure carries the
// system's reason where there is one (errno's text) and names what it was about (a file's name as
// the person gave it), so the caller can say "cannot write 'FILE': REASON" and nothing is lost on
// the way up.
namespace Kistarra {

// What kind of thing stopped it, for a caller that answers each kind its own way (the command
// line turns them into exit codes; a window needs only the reason).
enum class FailureKind {
    System,  // the system said no: a file missing, unreadable, unwritable, not a regular file
    Content, // a file was read but does not hold what it should (not a saved reading)
    Request, // what was asked for is wrong or cannot be done as asked (a value out of range)
};

struct Failure {
    explicit Failure(QString why, QString what = {}, FailureKind how = FailureKind::System)
        : reason(std::move(why))
        , subject(std::move(what))
        , kind(how)
    {
    }

    QString reason;
    QString subject; // what failed, when the caller needs to name it; may be empty
    FailureKind kind;
};

// The failure of the last system call, in the system's words.
[[nodiscard]] Failure SystemFailure(const QString& subject = {});

template <typename T>
class [[nodiscard]] Result {
public:
    Result(T value)
        : m_state(std::move(value))
    {
    }
    Result(Failure failure)
        : m_state(std::move(failure))
    {
    }

    [[nodiscard]] bool ok() const { return m_state.index() == 0; }
    explicit operator bool() const { return ok(); }
    [[nodiscard]] const T& value() const& { return std::get<0>(m_state); }
    [[nodiscard]] T&& value() && { return std::get<0>(std::move(m_state)); }
    const T& operator*() const& { return value(); }
    T&& operator*() && { return std::move(*this).value(); }
    const T* operator->() const { return &value(); }
    [[nodiscard]] const Failure& failure() const { return std::get<1>(m_state); }

private:
    std::variant<T, Failure> m_state;
};

// Done, or why not.
template <>
class [[nodiscard]] Result<void> {
public:
    Result() = default;
    Result(Failure failure)
        : m_failure(std::move(failure))
    {
    }

    [[nodiscard]] bool ok() const { return !m_failure; }
    explicit operator bool() const { return ok(); }
    [[nodiscard]] const Failure& failure() const { return *m_failure; }

private:
    std::optional<Failure> m_failure;
};

using Done = Result<void>;

} // namespace Kistarra
