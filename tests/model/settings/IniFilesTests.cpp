#include "SettingsTestHelpers.h"

#include "model/base/KPError.h"
#include "model/settings/RegistryIniFile.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

TEST(IniFilesTest, TypedReadsOfStoredValues)
{
    const double d = -1.5;
    const QByteArray binary(reinterpret_cast<const char*>(&d), 8);
    // Default of every read: 7, true, 9.5, "vorgabe".
    struct Case {
        QVariant Raw;
        int Int;
        bool Bool;
        double Float;
        QString Text;
    } cases[] = {
        {QVariant(), 7, true, 9.5, "vorgabe"},
        {"12", 12, true, 12, "12"},
        {" -3 ", -3, true, -3, " -3 "},
        {"0", 0, false, 0, "0"},
        {"2.5", 7, true, 2.5, "2.5"},
        {"2,5", 7, true, 9.5, "2,5"},
        {"false", 7, false, 9.5, "false"},
        {"TRUE", 7, true, 9.5, "TRUE"},
        {"NaN", 7, true, NAN, "NaN"},
        {"99999999999", 7, true, 99999999999.0, "99999999999"},
        {"", 7, true, 9.5, ""},
        {5, 5, true, 5, "5"},
        {0.25, 7, true, 0.25, "0.25"},
        {binary, 7, true, -1.5, "vorgabe"},
        {QByteArray("abc"), 7, true, 9.5, "vorgabe"},
    };
    for (const Case& c : cases) {
        TMemIniFile ini;
        if (c.Raw.isValid()) ini.Values["S\\V"] = c.Raw;
        const QString what = c.Raw.toString();
        EXPECT_EQ(ini.ReadInteger("S", "V", 7), c.Int) << what.toStdString();
        EXPECT_EQ(ini.ReadBool("S", "V", true), c.Bool) << what.toStdString();
        const double f = ini.ReadFloat("S", "V", 9.5);
        if (std::isnan(c.Float))
            EXPECT_TRUE(std::isnan(f)) << what.toStdString();
        else
            EXPECT_EQ(f, c.Float) << what.toStdString();
        EXPECT_EQ(ini.ReadString("S", "V", "vorgabe"), c.Text) << what.toStdString();
    }
}

TEST(IniFilesTest, WrittenFormsReadBack)
{
    TMemIniFile ini;
    ini.WriteBool("S", "B", true);
    ini.WriteFloat("S", "F", 0.1);
    ini.WriteFloat("S", "N", NAN);
    ini.WriteInteger("S", "I", -4);
    EXPECT_EQ(ini.Values["S\\B"], QVariant(1));
    EXPECT_EQ(ini.Values["S\\F"].toString(), "0.1");
    EXPECT_TRUE(ini.ReadBool("S", "B", false));
    EXPECT_EQ(ini.ReadFloat("S", "F", 0), 0.1);
    EXPECT_TRUE(std::isnan(ini.ReadFloat("S", "N", 0)));
    EXPECT_EQ(ini.ReadInteger("S", "I", 0), -4);
}

TEST(IniFilesTest, IndexSuffixOrder)
{
    QStringList names = {"Company10", "Anders", "Company2", "Company", "Company0", "Company1x", "Company1"};
    SortByIndexSuffix(names, "Company");
    EXPECT_EQ(names, (QStringList{"Company0", "Company1", "Company2", "Company10", "Anders", "Company",
                                  "Company1x"}));
}

TEST(IniFilesTest, RegistryStoreSections)
{
    ClearSettingsStores();
    TRegistryIniFile r("Software\\Mirvatek\\KP\\2.0\\Probe");
    r.WriteString("User\\Fonts", "A", "1");
    r.WriteString("User", "B", "2");
    r.WriteString("", "C", "3");
    r.UpdateFile();
    EXPECT_EQ(StoredValue("2.0/Probe/User/Fonts/A").toString(), "1");
    EXPECT_EQ(r.ReadSection("User"), QStringList{"B"});
    EXPECT_EQ(r.ReadSubSections(""), QStringList{"User"});
    EXPECT_EQ(r.ReadSection(""), QStringList{"C"});
    EXPECT_TRUE(r.KeyExists());
    r.EraseSection("User");
    EXPECT_FALSE(r.ReadValue("User\\Fonts", "A").isValid());
    EXPECT_EQ(r.ReadString("", "C", ""), "3");

    const TRegistryIniFile ro("Software\\Mirvatek\\KP\\2.0\\Probe", TRegistryRoot::CurrentUser,
                              TRegistryAccess::ReadOnly);
    EXPECT_THROW(const_cast<TRegistryIniFile&>(ro).WriteString("", "C", "4"), EKPError);
    EXPECT_EQ(ro.ReadString("", "C", ""), "3");
}

} // namespace
