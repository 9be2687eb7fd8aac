// Reading driver scripts: words, quoting, comments, and the line of every malformed command.
#include <doctest/doctest.h>

#include "ui/headless/Script.h"

#include <string>
#include <vector>

using ui::headless::Command;
using ui::headless::parseScript;

TEST_CASE("script lines split into words; quotes keep blanks and a doubled quote") {
    std::vector<Command> commands;
    std::string error;
    REQUIRE(parseScript("  # a comment line\n"
                        "\n"
                        "select frmMain.cboConfigs \"NVIDIA Go\"   # trailing comment\r\n"
                        "select frmMain.cboConfigs #0\n"
                        "expect frmMain.lblStatus.caption \"say \"\"hi\"\"\"\n"
                        "type frmFont.cboFont \"#1\"\n"
                        "expect frmMain.lstDetail.item#0 \"C:\\WINDOWS\\x.dll\"\n"
                        "type frmFont.cboFont \"\"\n",
                        commands, error));
    CHECK(error.empty());
    REQUIRE(commands.size() == 6);
    CHECK(commands[0].line == 3);
    CHECK(commands[0].verb == "select");
    REQUIRE(commands[0].args.size() == 2);
    CHECK(commands[0].args[1].text == "NVIDIA Go");
    CHECK(commands[0].args[1].quoted);
    CHECK(commands[1].args[1].text == "#0");
    CHECK_FALSE(commands[1].args[1].quoted);
    CHECK(commands[2].args[1].text == "say \"hi\"");
    CHECK(commands[3].args[1].text == "#1");
    CHECK(commands[3].args[1].quoted);
    CHECK(commands[4].args[0].text == "frmMain.lstDetail.item#0");
    CHECK(commands[4].args[1].text == "C:\\WINDOWS\\x.dll");
    CHECK(commands[5].args[1].text.empty());
    CHECK(commands[5].args[1].quoted);
}

TEST_CASE("a malformed command is reported with its line before anything runs") {
    struct Row {
        const char* script;
        const char* error;
    };
    const Row rows[] = {
        {"tick\nclikc frmMain.cmdClean", "line 2: unknown command 'clikc'"},
        {"\"click\" frmMain.cmdClean", "line 1: unknown command 'click'"},
        {"click", "line 1: wrong number of words for 'click'"},
        {"click frmMain.a frmMain.b", "line 1: wrong number of words for 'click'"},
        {"tick 0", "line 1: tick needs a positive number of ticks, not '0'"},
        {"tick two", "line 1: tick needs a positive number of ticks, not 'two'"},
        {"tick -1", "line 1: tick needs a positive number of ticks, not '-1'"},
        {"wait 99999999999", "line 1: wait needs a number of milliseconds"},
        {"answer yes", "line 1: answer must be Yes, No or OK, not 'yes'"},
        {"answer Cancel", "line 1: answer must be Yes, No or OK, not 'Cancel'"},
        {"\n\nselect frmMain.cboConfigs \"NVIDIA", "line 3: a quoted string is not closed"},
        {"type frmFont.cboFont \"Arial\"x", "line 1: a quoted string must be followed by a blank"},
        {"expect ended now", "line 1: expect ended takes nothing more"},
        {"expect loaded", "line 1: expect loaded needs one more word"},
        {"expect frmMain.caption", "line 1: expect needs a property and a value"},
        {"expect frmMain.caption has \"x\"", "line 1: expect needs a property and a value"},
        {"during during tick", "line 1: 'during' cannot hold 'during'"},
        {"during answer Yes", "line 1: 'during' cannot hold 'answer'"},
        {"during clikc frmMain.cmdClean", "line 1: unknown command 'clikc'"},
        {"during click", "line 1: wrong number of words for 'click'"},
        {"during tick 0", "line 1: tick needs a positive number of ticks"},
    };
    for (const Row& row : rows) {
        const std::string script = row.script;
        CAPTURE(script);
        std::vector<Command> commands;
        std::string error;
        CHECK_FALSE(parseScript(row.script, commands, error));
        CHECK(error.rfind(row.error, 0) == 0);
    }
}

TEST_CASE("quote writes a string the script reads back unchanged") {
    for (const std::string text : {"", "plain", "two words", "a \"quoted\" word", "C:\\x\\"}) {
        std::vector<Command> commands;
        std::string error;
        REQUIRE(parseScript("type f.c " + ui::headless::quote(text), commands, error));
        REQUIRE(commands.size() == 1);
        CHECK(commands[0].args[1].text == text);
    }
}
