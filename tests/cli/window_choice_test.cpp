// SPDX-License-Identifier: GPL-3.0-or-later
// Which arguments open the window, checked on the decision itself, and how the program loads
// the window's module, checked through the program and on single module files.
#include "cli/command_line.h"
#include "cli/window_module.h"
#include "tests/cli/program_run.h"
#include "tests/named_case.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

namespace {

using cli_test::cleanEnvironment;
using cli_test::english;
using cli_test::PrintTo;

// --- The window or the command line -------------------------------------------------------

struct ChoiceCase {
    std::string name;
    QStringList arguments;
    bool command_line;
};

class Choice : public testing::TestWithParam<ChoiceCase> {};

TEST_P(Choice, OpensTheWindowOnlyForQtsOwnWindowOptions) {
    EXPECT_EQ(cli::selectsCommandLine(GetParam().arguments), GetParam().command_line);
}

INSTANTIATE_TEST_SUITE_P(
    Window, Choice,
    testing::Values(ChoiceCase{"no_arguments", {}, false},
                    ChoiceCase{"platform", {"-platform", "offscreen"}, false},
                    ChoiceCase{"style_with_two_dashes", {"--style", "Fusion"}, false},
                    ChoiceCase{"style_joined_by_equals", {"-style=Fusion"}, false},
                    ChoiceCase{"stylesheet_joined_by_equals", {"--stylesheet=a.qss"}, false},
                    ChoiceCase{"flags", {"-reverse", "--widgetcount"}, false},
                    ChoiceCase{"every_valued_option",
                               {"-platform",
                                "xcb",
                                "-style",
                                "Fusion",
                                "-session",
                                "s1",
                                "-stylesheet",
                                "a.qss",
                                "-qwindowgeometry",
                                "300x200",
                                "-qwindowtitle",
                                "T",
                                "-qwindowicon",
                                "i.png",
                                "-display",
                                ":0",
                                "-platformpluginpath",
                                "/p",
                                "-platformtheme",
                                "gtk3",
                                "-plugin",
                                "evdevtouch",
                                "-geometry",
                                "300x200"},
                               false},
                    ChoiceCase{"valued_option_without_value_at_the_end", {"-session"}, false},
                    ChoiceCase{"value_that_looks_like_an_option", {"-style", "-n"}, false}),
    CaseName{});

INSTANTIATE_TEST_SUITE_P(
    CommandLine, Choice,
    testing::Values(
        ChoiceCase{"step_count", {"-n", "5"}, true}, ChoiceCase{"help", {"--help"}, true},
        ChoiceCase{"version", {"-v"}, true},
        ChoiceCase{"course_after_window_options", {"-platform", "offscreen", "--verlauf"}, true},
        ChoiceCase{"word_after_a_flag", {"-reverse", "5"}, true},
        ChoiceCase{"stray_word", {"5"}, true},
        ChoiceCase{"window_option_joined_where_qt_does_not", {"--platform=offscreen"}, true},
        ChoiceCase{"three_dashes", {"---platform", "xcb"}, true},
        ChoiceCase{"empty_argument", {""}, true}, ChoiceCase{"double_dash", {"--"}, true},
        ChoiceCase{"single_dash", {"-"}, true}),
    CaseName{});

// --- Loading the window -------------------------------------------------------------------

TEST(WindowModule, OpensTheWindowFromBesideTheProgram) {
    QProcess process;
    process.setProcessEnvironment(cleanEnvironment(english));
    process.start(QStringLiteral(NUMERINT_PROGRAM), {"-platform", "offscreen"});
    ASSERT_TRUE(process.waitForStarted());
    // A window runs until it is closed; a module that failed to load ends the program at once.
    const bool ended = process.waitForFinished(3'000);
    EXPECT_FALSE(ended) << "exit " << process.exitCode() << ": "
                        << process.readAllStandardError().toStdString();
    process.kill();
    process.waitForFinished();
}

TEST(WindowModule, SaysSoAndExitsOneWhenTheModuleIsMissing) {
    const QTemporaryDir directory;
    ASSERT_TRUE(directory.isValid());
    const QString lonely = directory.filePath(QStringLiteral("numer-integration"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(NUMERINT_PROGRAM), lonely));

    QProcess process;
    process.setProcessEnvironment(cleanEnvironment(english));
    process.start(lonely, {"-platform", "offscreen"});
    ASSERT_TRUE(process.waitForFinished(30'000));
    EXPECT_EQ(process.exitCode(), 1);
    EXPECT_EQ(process.readAllStandardOutput().toStdString(), "");
    EXPECT_EQ(process.readAllStandardError().toStdString().rfind(
                  "numer-integration: Das Fenster kann nicht geladen werden (", 0),
              0u);
}

struct ModuleCase {
    std::string name;
    std::string file;                    // absolute, or a name in a fresh temporary folder
    std::optional<std::string> contents; // written to the file first, when given
    std::string named;                   // what the failure names; empty when the entry loads
};

class ModuleFile : public testing::TestWithParam<ModuleCase> {};

TEST_P(ModuleFile, GivesTheWindowsEntryOrSaysWhyNot) {
    const ModuleCase& row = GetParam();
    const QTemporaryDir directory;
    ASSERT_TRUE(directory.isValid());
    const std::filesystem::path file =
        std::filesystem::path(directory.path().toStdString()) / row.file;
    if (row.contents) {
        QFile written(QString::fromStdString(file.string()));
        ASSERT_TRUE(written.open(QIODevice::WriteOnly));
        ASSERT_EQ(written.write(row.contents->data(), static_cast<qint64>(row.contents->size())),
                  static_cast<qint64>(row.contents->size()));
    }

    const cli::WindowEntry entry = cli::loadWindowEntry(file);
    if (row.named.empty()) {
        EXPECT_NE(entry.main, nullptr);
        EXPECT_EQ(entry.failure, "");
    } else {
        EXPECT_EQ(entry.main, nullptr);
        EXPECT_NE(entry.failure.find(row.named), std::string::npos) << entry.failure;
    }
}

INSTANTIATE_TEST_SUITE_P(
    WindowModule, ModuleFile,
    testing::Values(ModuleCase{"missing", "absent.so", std::nullopt, "absent.so"},
                    ModuleCase{"text_file", "notes.so", "kein Programm\n", "notes.so"},
                    ModuleCase{"empty_file", "empty.so", "", "empty.so"},
                    ModuleCase{"library_without_the_entry", NUMERINT_QT_CORE, std::nullopt,
                               "numer_integration_window_main"},
                    ModuleCase{"the_window_module", NUMERINT_WINDOW_MODULE_FILE, std::nullopt, ""}),
    CaseName{});

} // namespace
