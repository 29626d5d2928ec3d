#include "platform/file_filter.h"

#include <gtest/gtest.h>

TEST(FileFilter, ConvertsPairsToQtEntries) {
    EXPECT_EQ(ToQtFileFilter("Vessel Files (*.k7s)|*.k7s|All Files (*.*)|*.*||"),
              "Vessel Files (*.k7s);;All Files (*)");
    // Without the closing "||" and with a single pair.
    EXPECT_EQ(ToQtFileFilter("Almanac (*.alm)|*.alm"), "Almanac (*.alm)");
    EXPECT_EQ(ToQtFileFilter("Almanac (*.alm)|*.alm|"), "Almanac (*.alm)");
    EXPECT_EQ(ToQtFileFilter(""), "");
    EXPECT_EQ(ToQtFileFilter("||"), "");
}

TEST(FileFilter, PatternsComeFromThePatternHalf) {
    // Several patterns are separated by ";" in the pair and by blanks for Qt.
    EXPECT_EQ(ToQtFileFilter("Text Files (*.txt; *.log)|*.txt;*.log||"), "Text Files (*.txt *.log)");
    // The description shows what the pattern half says, not what it claimed.
    EXPECT_EQ(ToQtFileFilter("Reports (*.rpt)|*.rep||"), "Reports (*.rep)");
    // A description without patterns gets them; a parenthesis without wildcards is part of the name.
    EXPECT_EQ(ToQtFileFilter("Vessel Files|*.k7s||"), "Vessel Files (*.k7s)");
    EXPECT_EQ(ToQtFileFilter("Reports (old)|*.rpt||"), "Reports (old) (*.rpt)");
    // "*.*" means every file, also one without an extension.
    EXPECT_EQ(ToQtFileFilter("Everything|*.*||"), "Everything (*)");
    EXPECT_EQ(ToQtFileFilter("Everything|||"), "Everything (*)");
}

TEST(FileFilter, DefaultExtensionOnlyWhenTheNameHasNone) {
    EXPECT_EQ(WithDefaultExtension("/home/mate/Vessel", "k7s"), "/home/mate/Vessel.k7s");
    EXPECT_EQ(WithDefaultExtension("/home/mate/Vessel.k7s", "k7s"), "/home/mate/Vessel.k7s");
    EXPECT_EQ(WithDefaultExtension("/home/mate/Vessel.old", "k7s"), "/home/mate/Vessel.old");
    EXPECT_EQ(WithDefaultExtension("Vessel", ".k7s"), "Vessel.k7s");
    EXPECT_EQ(WithDefaultExtension("Vessel.", "k7s"), "Vessel.k7s");
    // A dot in a folder name or at the start of a hidden file's name is no extension.
    EXPECT_EQ(WithDefaultExtension("/data/v1.2/Vessel", "k7s"), "/data/v1.2/Vessel.k7s");
    EXPECT_EQ(WithDefaultExtension("/home/mate/.vessel", "k7s"), "/home/mate/.vessel.k7s");
    EXPECT_EQ(WithDefaultExtension("/home/mate/Vessel", ""), "/home/mate/Vessel");
    EXPECT_EQ(WithDefaultExtension("", "k7s"), "");
}
