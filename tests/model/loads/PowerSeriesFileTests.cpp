#include "model/base/KPError.h"
#include "model/loads/LoadObject.h"
#include "model/loads/PowerSeriesFile.h"

#include "TestPrinters.h"

#include <gtest/gtest.h>

#include <QDir>

namespace {

QString Fixture(const char* Name) { return QDir(QStringLiteral(KP_TEST_DATA "/loads")).filePath(Name); }

TDateTime D(int Y, int M, int Day, int H, int Min) { return EncodeDateTime(Y, M, Day, H, Min, 0, 0); }

// Both spreadsheet exports hold the same three points, the last one earliest.
TEST(PowerSeriesFileTest, ReadsGermanAndIsoExports)
{
    for (const char* name : {"series_de.csv", "series_iso.txt"}) {
        SCOPED_TRACE(name);
        const std::vector<TPowerSample> s = ReadPowerSeriesFile(Fixture(name));
        ASSERT_EQ(3u, s.size());
        EXPECT_DOUBLE_EQ(D(2021, 1, 1, 0, 0), s[0].Time);
        EXPECT_EQ(5.5, s[0].Power);
        EXPECT_DOUBLE_EQ(D(2021, 1, 1, 6, 0), s[1].Time);
        EXPECT_EQ(-8, s[1].Power);
        EXPECT_DOUBLE_EQ(D(2020, 12, 31, 23, 30), s[2].Time);
        EXPECT_EQ(1.25, s[2].Power);
    }
}

TEST(PowerSeriesFileTest, SeparatorsAndForms)
{
    struct Case {
        const char* Text;
        TDateTime Time;
        double Power;
    } cases[] = {
        {"01.02.2021,06:15,2.5", D(2021, 2, 1, 6, 15), 2.5},
        {"1.2.2021 6:15 2.5", D(2021, 2, 1, 6, 15), 2.5},
        {"1.2.2021 06:15;-2,5", D(2021, 2, 1, 6, 15), -2.5},
        {"2021-02-01 06:15:30\t2,5\tx", D(2021, 2, 1, 6, 15) + 30 / 86400.0, 2.5},
        {"  29.02.2020 ; 23:59 ; 1e3 ", D(2020, 2, 29, 23, 59), 1000},
    };
    for (const Case& c : cases) {
        const std::vector<TPowerSample> s = ParsePowerSeries(QByteArray(c.Text), QStringLiteral("t"));
        ASSERT_EQ(1u, s.size()) << c.Text;
        EXPECT_NEAR(c.Time, s[0].Time, 1e-9) << c.Text;
        EXPECT_EQ(c.Power, s[0].Power) << c.Text;
    }
}

// Every line is checked; the message names the file and the line.
TEST(PowerSeriesFileTest, BadLinesNameFileAndLine)
{
    struct Case {
        const char* Text;
        const char* Message;
    } cases[] = {
        {"01.01.2021;00:00;1\n02.01.2021;00:00;zwei\n",
         "Datei \"t.csv\", Zeile 2: \"zwei\" ist keine gültige Leistung."},
        {"Kopf\n01.01.2021;00:00;1\n\n31.02.2021;00:00;1\n",
         "Datei \"t.csv\", Zeile 4: \"31.02.2021\" ist kein gültiges Datum (TT.MM.JJJJ oder JJJJ-MM-TT)."},
        {"01.01.2021;24:00;1\n", "Datei \"t.csv\", Zeile 1: \"24:00\" ist keine gültige Uhrzeit (hh:mm oder hh:mm:ss)."},
        {"01.01.2021;00:00\n", "Datei \"t.csv\", Zeile 1: Datum, Uhrzeit und Leistung erwartet."},
        {"Kopf\nnoch ein Kopf;a;b\n",
         "Datei \"t.csv\", Zeile 2: \"noch ein Kopf\" ist kein gültiges Datum (TT.MM.JJJJ oder JJJJ-MM-TT)."},
        {"01.01.2021;00:00;nan\n", "Datei \"t.csv\", Zeile 1: \"nan\" ist keine gültige Leistung."},
        {"01.01.2021,00:00,1,5\n01.01.2021;00:00;1.5.2\n",
         "Datei \"t.csv\", Zeile 2: \"1.5.2\" ist keine gültige Leistung."},
        {"01.01.2021;00:00;1\n2.1.21;00:00;1\n",
         "Datei \"t.csv\", Zeile 2: \"2.1.21\" ist kein gültiges Datum (TT.MM.JJJJ oder JJJJ-MM-TT)."},
        {"", "Die Datei \"t.csv\" enthält keine Leistungswerte."},
        {"Datum;Uhrzeit;Leistung\n\n", "Die Datei \"t.csv\" enthält keine Leistungswerte."},
    };
    for (const Case& c : cases) {
        try {
            ParsePowerSeries(QByteArray(c.Text), QStringLiteral("t.csv"));
            ADD_FAILURE() << "no error for: " << c.Text;
        } catch (const EReadError& e) {
            EXPECT_EQ(QString::fromUtf8(c.Message), e.Message()) << c.Text;
        }
    }
}

TEST(PowerSeriesFileTest, MissingFile)
{
    EXPECT_THROW(ReadPowerSeriesFile(Fixture("gibt_es_nicht.csv")), EFileError);
}

TEST(PowerSeriesFileTest, ImportReplacesTheSeriesSorted)
{
    TLoadObj p;
    p.SetLoadType(ltFile);
    p.AddPoint(1000.0, 1.0);
    p.ImportPowerSeries(Fixture("series_de.csv"));
    ASSERT_EQ(3, p.Count());
    EXPECT_EQ(1.25, p.PowerPoint(0)->Power());
    EXPECT_EQ(5.5, p.PowerPoint(1)->Power());
    EXPECT_EQ(-8, p.PowerPoint(2)->Power());
    EXPECT_EQ(1.25, p.GetPower(D(2020, 12, 31, 23, 45)));
}

// A failed import keeps the points the profile had.
TEST(PowerSeriesFileTest, FailedImportChangesNothing)
{
    TLoadObj series;
    series.SetLoadType(ltFile);
    series.AddPoint(1000.0, 1.0);
    EXPECT_THROW(series.ImportPowerSeries(Fixture("series_bad.csv")), EReadError);
    ASSERT_EQ(1, series.Count());
    EXPECT_EQ(1000.0, series.PowerPoint(0)->PointOfTime());

    TLoadObj year;
    year.AddPoint(1, 1, 3);
    EXPECT_THROW(year.ImportPowerSeries(Fixture("series_de.csv")), EKPError);
    EXPECT_EQ(1, year.Count());
    EXPECT_EQ(ltYearProfile, year.LoadType());
}

}  // namespace
