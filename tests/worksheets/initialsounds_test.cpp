// The initial-sound table's rules: which cell a noun goes to, which noun a
// cell shows first, the rare sounds inside words, the report of empty cells,
// and the sheets' settings as the settings file keeps them.

#include "core/initialsounds.h"
#include "core/writinglines.h"
#include "support/initialsoundnouns.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using namespace initialsounds;

namespace {

/// The cell of a sound in a table ("Sch", "ng"), or nullptr.
const Cell *cellOf(const Table &t, const QString &letters) {
    for (const Cell &c : t.cells)
        if (c.soundOf().letters == letters)
            return &c;
    return nullptr;
}

QStringList candidateNouns(const Cell *c) {
    QStringList out;
    if (c)
        for (const Match &m : c->candidates)
            out << m.noun;
    return out;
}

} // namespace

class InitialSoundsTest : public QObject {
    Q_OBJECT
private slots:
    // The longest initial sound wins: Schaf to Sch, never to S.
    void soundOfNoun_data() {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("sound"); // empty: no cell
        QTest::addColumn<bool>("spokenAsF");
        const QList<std::tuple<const char *, const char *, bool>> rows = {
            {"dasSchaf.jpg", "Sch", false},    {"dasSchiff.wmf", "Sch", false},
            {"derStern.gif", "St", false},     {"dieSpinne.bmp", "Sp", false},
            {"dieStraße.jpg", "St", false},    {"derEimer.jpg", "Ei", false},
            {"dieEule.jpg", "Eu", false},      {"dasAuto.jpg", "Au", false},
            {"dieQualle.jpg", "Qu", false},    {"dasPferd.jpg", "Pf", false},
            {"dasChamäleon.jpg", "Ch", false}, {"derVogel.jpg", "V", true},
            {"dieVase.jpg", "V", false},       {"derVulkan.jpg", "V", false},
            {"derIgel.jpg", "I", false},       {"dasUfo.jpg", "U", false},
            {"dieEnte.jpg", "E", false},       {"dieSonne.jpg", "S", false},
            {"dieÄhre.gif", "Ä", false},       {"dasÖl.jpg", "Ö", false},
            {"dieÜbung.jpg", "Ü", false},      {"derClown.jpg", "C", false},
            {"dasXylophon.jpg", "X", false},   {"dieYacht.jpg", "Y", false},
            {"derZEBRA.jpg", "Z", false},      {"derQi.jpg", "", false},
            {"das1x1.jpg", "", false},
        };
        for (const auto &[entry, sound, f] : rows)
            QTest::newRow(entry) << QString::fromUtf8(entry) << QString::fromUtf8(sound) << f;
    }
    void soundOfNoun() {
        QFETCH(QString, entry);
        QFETCH(QString, sound);
        QFETCH(bool, spokenAsF);
        const Table t = build({entry});
        QStringList cellsWith;
        for (const Cell &c : t.cells)
            if (!c.soundOf().inside && !c.candidates.isEmpty())
                cellsWith << c.soundOf().letters;
        QCOMPARE(cellsWith, sound.isEmpty() ? QStringList() : QStringList{sound});
        if (!sound.isEmpty()) {
            const Match *m = cellOf(t, sound)->match();
            QVERIFY(m);
            QCOMPARE(m->entry, entry);
            QCOMPARE(m->at, 0);
            QCOMPARE(m->length, sound.size());
            QCOMPARE(m->spokenAsF, spokenAsF);
        }
    }

    // A V spoken as [f] is the teacher's choice for the V cell, marked as
    // such: old German words and the prefixes ver-, vor-, voll-, viel-,
    // vier-; loan words keep [v], also where they start like a prefix.
    void vSpokenAsF_data() {
        QTest::addColumn<QString>("noun");
        QTest::addColumn<bool>("f");
        const QList<std::pair<const char *, bool>> rows = {
            {"Vogel", true},       {"Vogelhaus", true}, {"Vögel", true},   {"Vater", true},
            {"Väter", true},       {"Vati", true},      {"Volk", true},    {"Völker", true},
            {"Vieh", true},        {"Veilchen", true},  {"Vetter", true},  {"Vers", true},
            {"Vesper", true},      {"Vlies", true},     {"Vorhang", true}, {"Vormittag", true},
            {"Verkehr", true},     {"Verband", true},   {"Verbot", true},  {"Versteck", true},
            {"Vollmond", true},    {"Vielfraß", true},  {"Viereck", true}, {"VOGEL", true},
            {"Vase", false},       {"Vulkan", false},   {"Video", false},  {"Violine", false},
            {"Ventil", false},     {"Vanille", false},  {"Villa", false},  {"Visum", false},
            {"Vitamin", false},    {"Vampir", false},   {"Volt", false},   {"Vokal", false},
            {"Veranda", false},    {"Verb", false},     {"Verben", false}, {"Version", false},
            {"Volleyball", false}, {"Vatikan", false},  {"Vespa", false},  {"Wal", false},
            {"Fisch", false},      {"V", false},        {"", false},
        };
        for (const auto &[noun, f] : rows)
            QTest::newRow(noun) << QString::fromUtf8(noun) << f;
    }
    void vSpokenAsF() {
        QFETCH(QString, noun);
        QFETCH(bool, f);
        QCOMPARE(initialsounds::vSpokenAsF(noun), f);
        // On the table: the V cell, marked where it is [f].
        if (noun.startsWith(QLatin1Char('V')) && noun.size() > 1) {
            const Match *m = cellOf(build({QStringLiteral("das") + noun + ".jpg"}), "V")->match();
            QVERIFY(m);
            QCOMPARE(m->spokenAsF, f);
        }
    }

    // Sounds that hardly begin a noun are shown inside one, where the folder has it.
    void rareSoundsInside_data() {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("sound"); // empty: none of them
        QTest::addColumn<int>("at");
        QTest::newRow("Fuß") << "derFuß.gif"
                             << "ß" << 2;
        QTest::newRow("Ring") << "derRing.jpg"
                              << "ng" << 2;
        QTest::newRow("Buch") << "dasBuch.jpg"
                              << "ch" << 2;
        QTest::newRow("Hexe") << "dieHexe.jpg"
                              << "x" << 2;
        QTest::newRow("Jacke") << "dieJacke.jpg"
                               << "ck" << 2;
        QTest::newRow("Biene") << "dieBiene.jpg"
                               << "ie" << 1;
        QTest::newRow("sch is no ch") << "derTisch.jpg"
                                      << "" << -1;
        QTest::newRow("chs is no ch") << "derFuchs.jpg"
                                      << "" << -1;
        QTest::newRow("at the start only") << "dasXylophon.jpg"
                                           << "" << -1;
    }
    void rareSoundsInside() {
        QFETCH(QString, entry);
        QFETCH(QString, sound);
        QFETCH(int, at);
        const Table t = build({entry});
        QStringList rare;
        for (const Cell &c : t.cells)
            if (c.soundOf().inside)
                rare << c.soundOf().letters;
        QCOMPARE(rare, sound.isEmpty() ? QStringList() : QStringList{sound});
        if (!sound.isEmpty()) {
            QCOMPARE(cellOf(t, sound)->match()->at, at);
            QCOMPARE(cellOf(t, sound)->match()->length, sound.size());
        }
    }

    // The first noun of a cell: a clearly heard sound (Ball before Brot,
    // Ameise before Aal), then the nouns' own order whatever the article;
    // inside a word the shortest word.
    void bestNounFirst() {
        const Table t = build({"dasBrot.jpg", "derBall.jpg", "derAal.jpg", "dieAmeise.jpg",
                               "dieStraße.jpg", "derFuß.gif", "dieBank.jpg", "derBär.wmf"});
        QCOMPARE(candidateNouns(cellOf(t, "B")), (QStringList{"Ball", "Bank", "Bär", "Brot"}));
        QCOMPARE(candidateNouns(cellOf(t, "A")), (QStringList{"Ameise", "Aal"}));
        QCOMPARE(candidateNouns(cellOf(t, "ß")), (QStringList{"Fuß", "Straße"}));
        QCOMPARE(cellOf(t, "B")->chosen, 0);
    }

    // The teacher's choice is shown while it still fits its cell.
    void choicesKept() {
        const QStringList entries{"dasBrot.jpg", "derBall.jpg"};
        QCOMPARE(cellOf(build(entries, {{"B", "dasBrot.jpg"}}), "B")->match()->noun, "Brot");
        QCOMPARE(cellOf(build(entries, {{"B", "derBaum.jpg"}}), "B")->match()->noun, "Ball");
        QCOMPARE(cellOf(build(entries, {{"S", "dasBrot.jpg"}}), "S")->match(), nullptr);
    }

    void gapReport() {
        const QStringList entries = nounsForAllButRareSounds(QStringLiteral(".jpg"));
        const Table t = build(entries);
        QCOMPARE(t.gaps(), (QStringList{"C", "J", "Qu", "X", "Y"}));
        QCOMPARE(t.gapReport(),
                 QString::fromUtf8("Für diese Laute fehlt ein Bild: C, J, Qu, X, Y"));
        QCOMPARE(build(entries + QStringList{"derClown.jpg", "derJaguar.jpg", "dieQualle.jpg",
                                             "dasXylophon.jpg", "dieYacht.jpg"})
                     .gapReport(),
                 QString());

        // No nouns at all: every initial sound is missing, and no rare sound has a cell.
        const Table empty = build({});
        QCOMPARE(empty.cells.size(), initialCount());
        QCOMPARE(empty.gaps().size(), initialCount());
        QVERIFY(empty.gapReport().startsWith(
            QString::fromUtf8("Für diese Laute fehlt ein Bild: A, Ä, Au, B, C, Ch, D, E, Ei")));
    }

    void settingsKept() {
        QTemporaryDir dir;
        QSettings file(dir.filePath("k.ini"), QSettings::IniFormat);
        QCOMPARE(writinglines::Settings::load(file), writinglines::Settings());
        QCOMPARE(Settings::load(file), Settings());

        writinglines::Settings lines;
        lines.set = 3;
        lines.bands[3] = {2.5, 4, 2.5, 1};
        lines.tint = writinglines::Tint::Blue;
        lines.traceRows = 2;
        lines.emptyRows = 0;
        lines.trace = writinglines::Trace::Grey;
        lines.family = QStringLiteral("Grundschrift");
        lines.save(file);
        Settings table;
        table.colour = false;
        table.choices = {{"Sch", "dasSchiff.wmf"}, {"Ae", "dieÄhre.gif"}};
        table.save(file);
        file.sync();
        QSettings again(dir.filePath("k.ini"), QSettings::IniFormat);
        QCOMPARE(writinglines::Settings::load(again), lines);
        QCOMPARE(Settings::load(again), table);
    }

    // A hand-edited or damaged file gives the defaults where it is wrong.
    void badSettingsKeepDefaults() {
        QTemporaryDir dir;
        QFile ini(dir.filePath("k.ini"));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("[Schreiblinien]\nLineatur=9\nLineatur1\\Mittelband=-4\nLineatur1\\Oberband=abc\n"
                  "Lineatur2\\Unterband=1e9\nLineatur0\\Abstand=nan\nNachspurzeilen=7\n"
                  "LeereZeilen=-1\nToenung=5\n");
        ini.close();
        QSettings file(dir.filePath("k.ini"), QSettings::IniFormat);
        const writinglines::Settings s = writinglines::Settings::load(file);
        writinglines::Settings expected;
        expected.bands[1].middle = writinglines::kMinMiddle;
        expected.bands[2].lower = writinglines::kMaxBand;
        QCOMPARE(s, expected);
    }
};

QTEST_GUILESS_MAIN(InitialSoundsTest)
#include "initialsounds_test.moc"
