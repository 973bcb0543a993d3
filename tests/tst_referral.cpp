#include <QTest>
#include <QUrl>
#include <QUrlQuery>

#include "reading/referral.h"

using namespace Qt::StringLiterals;

namespace Kistarra {

namespace {

// The query items as a web page reads them from the address the browser sends: split at "&" and
// the first "=", "+" read as a blank, then percent-decoded as UTF-8.
[[nodiscard]] QList<std::pair<QString, QString>> PageReads(const QUrl& address)
{
    auto decode = [](QByteArray part) {
        part.replace('+', ' ');
        return QString::fromUtf8(QByteArray::fromPercentEncoding(part));
    };
    QList<std::pair<QString, QString>> items;
    const QByteArray query = address.query(QUrl::FullyEncoded).toLatin1();
    for (const QByteArray& item : query.split('&')) {
        const qsizetype equals = item.indexOf('=');
        items.append({decode(item.left(equals)), decode(item.mid(equals + 1))});
    }
    return items;
}

} // namespace

// The address of the referral page: every value the person typed reaches the page unchanged.
class TestReferral : public QObject {
    Q_OBJECT

private slots:
    void everyValueReachesThePageAsTyped_data();
    void everyValueReachesThePageAsTyped();
};

void TestReferral::everyValueReachesThePageAsTyped_data()
{
    QTest::addColumn<QString>("text");

    QTest::newRow("query characters") << u"a&b=c#d+e f\nline"_s;
    QTest::newRow("percent sign") << u"100%"_s;
    QTest::newRow("something that looks encoded") << u"x%2By%26taf6=evil"_s;
    QTest::newRow("plus signs") << u"1+1"_s;
    QTest::newRow("a field of its own") << u"&taf6=https://elsewhere.example/"_s;
    QTest::newRow("question mark and slash") << u"why?/because"_s;
    QTest::newRow("windows line break") << u"first\r\nsecond"_s;
    QTest::newRow("unicode") << u"Zoë ★ 名前 \U0001F600"_s;
}

void TestReferral::everyValueReachesThePageAsTyped()
{
    QFETCH(QString, text);
    const Referral referral{text, u"ann@mail.example"_s + text, text, text,
                            u"bob@mail.example"_s + text};

    const QUrl address = ReferralAddress(referral);
    QVERIFY(address.isValid());
    const QList<std::pair<QString, QString>> expected = {
        {u"taf1"_s, text},
        {u"taf2"_s, u"ann@mail.example"_s + text},
        {u"taf3"_s, text},
        {u"taf4"_s, text},
        {u"taf5"_s, u"bob@mail.example"_s + text},
        {u"taf6"_s, u"https://www.kistarra.example/"_s},
    };
    QCOMPARE(PageReads(address), expected);
    // Qt reads the same address back to the same values.
    const QUrlQuery query(QUrl(address.toString(QUrl::FullyEncoded), QUrl::StrictMode));
    QCOMPARE(query.queryItems(QUrl::FullyDecoded), expected);
}

} // namespace Kistarra

QTEST_GUILESS_MAIN(Kistarra::TestReferral)
#include "tst_referral.moc"
