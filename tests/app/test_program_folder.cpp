// Where a portable and an installed copy keep their files.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "ProgramFolder.h"
#include "TestFiles.h"

namespace {

TEST(ProgramFolder, PortableCopyKeepsItsFilesBesideTheExecutable) {
    ScratchFolder root;
    root.write("portable/Readme.txt", "guide");
    const QString folder = programfolder::resolve({root.file("portable"), root.file("xdg"), root.path()});
    EXPECT_EQ(folder, root.file("portable/"));
    EXPECT_FALSE(root.exists("xdg/Lumbra"));
}

TEST(ProgramFolder, InstalledCopyUsesTheUserDataFolderAndCopiesMissingFiles) {
    ScratchFolder root;
    root.write("usr/bin/Lumbra", "");
    root.write("usr/share/lumbra/Readme.txt", "installed guide");
    root.write("usr/share/lumbra/Text/Pref.txt", "HoKKaIDoU|ほっかいどう\n");
    root.write("usr/share/lumbra/Text/Words.txt", "apple|\n");
    // A practice file the user already edited is theirs: never replaced.
    root.write("xdg/Lumbra/Text/Pref.txt", "mine|\n");

    const QString folder = programfolder::resolve({root.file("usr/bin"), root.file("xdg"), root.path()});
    EXPECT_EQ(folder, root.file("xdg/Lumbra/"));
    EXPECT_EQ(root.read("xdg/Lumbra/Readme.txt"), "installed guide");
    EXPECT_EQ(root.read("xdg/Lumbra/Text/Words.txt"), "apple|\n");
    EXPECT_EQ(root.read("xdg/Lumbra/Text/Pref.txt"), "mine|\n");
}

TEST(ProgramFolder, WithoutXdgDataHomeTheFolderIsUnderHome) {
    ScratchFolder root;
    root.write("usr/bin/Lumbra", "");
    root.write("usr/share/lumbra/Readme.txt", "guide");
    const QString folder = programfolder::resolve({root.file("usr/bin"), QString(), root.file("home")});
    EXPECT_EQ(folder, root.file("home/.local/share/Lumbra/"));
    EXPECT_TRUE(QDir(folder).exists());
}

}  // namespace
