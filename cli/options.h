#pragma once

#include <QCommandLineOption>
#include <QList>
#include <QString>

// Every option of the command line, each declared once. The parser, the readers of the request,
// their refusals and the scans of raw arguments all name an option by its member here, so a
// misspelt option does not compile (a string would read as "not given"). A new option is one
// member, one entry in options.cpp and one reader in arguments.cpp.
namespace Kistarra {

struct CommandLineOptions {
    QCommandLineOption name;
    QCommandLineOption day;
    QCommandLineOption month;
    QCommandLineOption year;
    QCommandLineOption open;
    QCommandLineOption partnerName;
    QCommandLineOption partnerDay;
    QCommandLineOption partnerMonth;
    QCommandLineOption partnerYear;
    QCommandLineOption partnerOpen;
    QCommandLineOption report;
    QCommandLineOption json;
    QCommandLineOption forecast;
    QCommandLineOption calendar;
    QCommandLineOption save;
    QCommandLineOption pdf;
    QCommandLineOption solarYear;
    QCommandLineOption trueSolarTerms;
    QCommandLineOption timeZone;
    QCommandLineOption solarTerms;
    QCommandLineOption help;
    QCommandLineOption version;

    // In the order --help lists them.
    [[nodiscard]] QList<QCommandLineOption> all() const;
};

// The options with their help texts, made once.
[[nodiscard]] const CommandLineOptions& Options();

// The option's long name ("time-zone"), by which refusals name it.
[[nodiscard]] QString LongName(const QCommandLineOption& option);

// The option as it is written in the arguments ("--time-zone").
[[nodiscard]] QString Spelled(const QCommandLineOption& option);

} // namespace Kistarra
