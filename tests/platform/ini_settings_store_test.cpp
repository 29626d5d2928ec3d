#include <gtest/gtest.h>

#include "platform/plain_settings_store.h"
#include "support/scratch_dir.h"

// The desktop program writes this file through the Qt settings class and the
// command-line tool reads it without Qt: the texts below are that class's INI
// layout, written by hand.

TEST(IniSettingsStore, WritesTheLayoutTheQtSettingsClassReads) {
    CScratchDir dir;
    CIniSettingsStore ini(dir / "sub/Keelmark Lite.conf");
    ASSERT_TRUE(ini.SetString("Keelmark Lite", "datafile", "C:\\Keelmark Lite\\ship.k7v")) << ini.LastError();
    ASSERT_TRUE(ini.SetInt("Keelmark Lite", "spin", -42));
    ASSERT_TRUE(ini.SetString("Keelmark Lite", "list", "a, b; c=d"));
    ASSERT_TRUE(ini.SetString("Keelmark Lite", "lines", "one\ntwo\t\"q\""));
    ASSERT_TRUE(ini.SetString("Keelmark Lite", "at", "@home"));
    ASSERT_TRUE(ini.SetString("Keelmark Lite", "padded", " x "));
    ASSERT_TRUE(ini.SetString("Keelmark Lite", "control",
                              std::string("\x01"
                                          "a\x1f",
                                          3)));
    ASSERT_TRUE(ini.SetString("Keelmark Lite", "empty", ""));
    ASSERT_TRUE(ini.SetString("Odd Keys \xC3\xA9", "Route/Leg 2", "Z\xC3\xBCrich"));
    ASSERT_TRUE(ini.SetString("Odd Keys \xC3\xA9", "\xE6\x97\xA5 \xF0\x9F\x98\x80", "wide"));
    EXPECT_EQ(Slurp(dir / "sub/Keelmark Lite.conf"), "[Keelmark%20Lite]\n"
                                                     "at=@@home\n"
                                                     "control=\\x1\\x61\\x1f\n"
                                                     "datafile=C:\\\\Keelmark Lite\\\\ship.k7v\n"
                                                     "empty=\n"
                                                     "lines=one\\ntwo\\t\\\"q\\\"\n"
                                                     "list=\"a, b; c=d\"\n"
                                                     "padded=\" x \"\n"
                                                     "spin=-42\n"
                                                     "\n"
                                                     "[Odd%20Keys%20%E9]\n"
                                                     "Route\\Leg%202=Z\xC3\xBCrich\n"
                                                     "%U65E5%20%UD83D%UDE00=wide\n");

    CIniSettingsStore back(dir / "sub/Keelmark Lite.conf");
    ASSERT_TRUE(back.Load());
    EXPECT_EQ(back.Values(), ini.Values()) << "every odd value and key reads back as written";
    EXPECT_EQ(back.GetInt("Keelmark Lite", "spin", 0), -42);
}

TEST(IniSettingsStore, ReadsWhatAPersonOrTheQtClassWrote) {
    CScratchDir dir;
    Put(dir / "a.conf", "; a comment\n"
                        "top=level\n"
                        "[Hand%20Written]\n"
                        "list=Smith, John ,  \"Jones, Ann\"\n"
                        "comment=kept ; dropped\n"
                        "octal=\\101\\x42\\x043D\n"
                        "typed=@String(text)\n"
                        "blanks=   inner  blanks   \n"
                        "number= 12 \n"
                        "crlf=windows\r\n"
                        "Key%20%E9%U65E5=escaped key\n");
    CIniSettingsStore ini(dir / "a.conf");
    ASSERT_TRUE(ini.Load());
    EXPECT_EQ(ini.GetString("General", "top", ""), "level");
    const char* s = "Hand Written";
    EXPECT_EQ(ini.GetString(s, "list", ""), "Smith, John, Jones, Ann");
    EXPECT_EQ(ini.GetString(s, "comment", ""), "kept");
    EXPECT_EQ(ini.GetString(s, "octal", ""), "AB\xD0\xBD");
    EXPECT_EQ(ini.GetString(s, "typed", ""), "text");
    EXPECT_EQ(ini.GetString(s, "blanks", ""), "inner  blanks");
    EXPECT_EQ(ini.GetInt(s, "number", 0), 12);
    EXPECT_EQ(ini.GetString(s, "crlf", ""), "windows");
    EXPECT_EQ(ini.GetString(s, "Key \xC3\xA9\xE6\x97\xA5", ""), "escaped key");
    EXPECT_EQ(ini.GetInt(s, "list", 7), 0) << "not a whole number reads as 0";
    EXPECT_EQ(ini.GetInt(s, "absent", 7), 7);
}

TEST(IniSettingsStore, SavingKeepsWhatOthersWroteAndReportsFaults) {
    CScratchDir dir;
    CIniSettingsStore ini(dir / "k.conf");
    ASSERT_TRUE(ini.Load()) << "a missing file is an empty store";
    ASSERT_TRUE(ini.SetString("S", "mine", "1"));
    Put(dir / "k.conf", "[S]\nmine=1\ntheirs=2\n");
    ASSERT_TRUE(ini.SetString("S", "mine", "3"));
    EXPECT_EQ(Slurp(dir / "k.conf"), "[S]\nmine=3\ntheirs=2\n");

    CIniSettingsStore blocked(dir / "k.conf/x.conf");
    EXPECT_FALSE(blocked.SetString("S", "k", "v"));
    EXPECT_NE(blocked.LastError().find("x.conf"), std::string::npos) << blocked.LastError();
}
