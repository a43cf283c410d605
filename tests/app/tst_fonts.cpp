// SPDX-License-Identifier: GPL-3.0-or-later
// The program's own font configuration, asked through fontconfig as the toolkit asks it:
// which file each face the windows name comes from, against what the system's whole
// configuration says (read by fontconfig itself) or where the font packages put it.
#include "app/Fonts.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <fontconfig/fontconfig.h>

namespace {

constexpr char kWineTahoma[] = "/usr/share/wine/fonts/tahoma.ttf";
constexpr char kWineTahomaBold[] = "/usr/share/wine/fonts/tahomabd.ttf";

// The file the configuration draws a request such as "Arial:bold" with.
QString matchedFile(FcConfig *config, const char *request)
{
    FcPattern *pattern = FcNameParse(reinterpret_cast<const FcChar8 *>(request));
    FcConfigSubstitute(config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern *match = FcFontMatch(config, pattern, &result);
    FcChar8 *file = nullptr;
    QString found;
    if (match && FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch)
        found = QFile::decodeName(reinterpret_cast<const char *>(file));
    if (match)
        FcPatternDestroy(match);
    FcPatternDestroy(pattern);
    return found;
}

struct Config {
    FcConfig *config;
    explicit Config(FcConfig *c) : config(c) {}
    ~Config()
    {
        if (config)
            FcConfigDestroy(config);
    }
};

} // namespace

class TestFonts : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void facesComeFromTheSystemsFiles_data();
    void facesComeFromTheSystemsFiles();
    void tahomaOfTheSystemComesFirst();

private:
    QTemporaryDir home_;
};

void TestFonts::initTestCase()
{
    QVERIFY(QFile::exists(QLatin1String(kWineTahoma)));
    QVERIFY(home_.isValid());
    // The user's font folder is the test's own, empty until a case fills it.
    qputenv("XDG_DATA_HOME", QFile::encodeName(home_.filePath(QStringLiteral("data"))));
    qputenv("XDG_CACHE_HOME", QFile::encodeName(home_.filePath(QStringLiteral("cache"))));
}

void TestFonts::facesComeFromTheSystemsFiles_data()
{
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<QString>("expected");   // empty: as the system's configuration says
    QTest::newRow("Arial") << QByteArray("Arial") << QString();
    QTest::newRow("Arial bold") << QByteArray("Arial:bold") << QString();
    QTest::newRow("Liberation Sans bold") << QByteArray("Liberation Sans:bold") << QString();
    QTest::newRow("Tahoma") << QByteArray("Tahoma") << QString::fromLatin1(kWineTahoma);
    QTest::newRow("Tahoma bold") << QByteArray("Tahoma:bold") << QString::fromLatin1(kWineTahomaBold);
}

void TestFonts::facesComeFromTheSystemsFiles()
{
    QFETCH(QByteArray, request);
    QFETCH(QString, expected);
    const Config own(fonts::programConfiguration({QString::fromLatin1(kWineTahoma), QString::fromLatin1(kWineTahomaBold)}));
    QVERIFY(own.config);
    if (expected.isEmpty()) {
        const Config system(FcInitLoadConfigAndFonts());
        QVERIFY(system.config);
        expected = matchedFile(system.config, request.constData());
        QVERIFY(!expected.isEmpty());
    }
    QCOMPARE(matchedFile(own.config, request.constData()), expected);
}

void TestFonts::tahomaOfTheSystemComesFirst()
{
    // A Tahoma installed in the user's font folder; the copy outside the folders is not
    // added beside it.
    const QString folder = home_.filePath(QStringLiteral("data/fonts"));
    QVERIFY(QDir().mkpath(folder));
    const QString installed = folder + QStringLiteral("/Tahoma.ttf");
    QVERIFY(QFile::copy(QLatin1String(kWineTahoma), installed));
    const auto remove = qScopeGuard([&] { QFile::remove(installed); });

    const Config own(fonts::programConfiguration({QString::fromLatin1(kWineTahoma), QString::fromLatin1(kWineTahomaBold)}));
    QVERIFY(own.config);
    QCOMPARE(matchedFile(own.config, "Tahoma"), installed);
    const FcFontSet *added = FcConfigGetFonts(own.config, FcSetApplication);
    QCOMPARE(added ? added->nfont : 0, 0);
}

QTEST_APPLESS_MAIN(TestFonts)
#include "tst_fonts.moc"
