// The localised captions of the main window, read at start-up from the texts database beside
// the program, and what the program does when that database is missing or cannot be read.
#include "driver/text.h"
#include "driver/wine.h"
#include "jet_writer.h"
#include "program_fixture.h"
#include "program_texts_files.h"

#include <algorithm>
#include <functional>
#include <ostream>

namespace qrv::e2e {
namespace {

using drive::MessageBoxWindow;
using TextOfKey = std::function<std::wstring(std::wstring_view key)>;

class ProgramTextsTest : public ProgramTest {
protected:
    ~ProgramTextsTest() override {
        // The program must be gone before its copies can be removed.
        if (program_) {
            program_->Kill();
        }
        for (const auto& file : removeAtEnd_) {
            DeleteFileW(file.c_str());
        }
    }

    // A copy of the program in a folder of the temp folder, with nothing beside it.
    ProgramCopy CopyProgram() const { return ProgramCopy(temp_.CreateFolder(L"program")); }

    std::wstring Caption(int id) { return Control(id).Text(); }

    // The captions the texts put on the main window; 8-bit ones lose what the ANSI code page
    // cannot hold.
    void ExpectCaptions(const TextOfKey& text) {
        EXPECT_EQ(main_->Text(), AnsiRoundTrip(text(L"~DOVEravar")));
        EXPECT_EQ(Caption(ids::lblExportDestination), text(L"~ExportDestination"));
        EXPECT_EQ(Caption(ids::lblExportFormats), text(L"~CADAvailableFormats"));
        EXPECT_EQ(Caption(ids::lblSubfolderOptions), text(L"~SubfolderOptions"));
        EXPECT_EQ(Caption(ids::cbCreateZip), text(L"~CreateZipFile"));
        EXPECT_EQ(Caption(ids::lblWindowsWillPopUp), text(L"~CADWindowsWillOpen"));
        EXPECT_EQ(Caption(ids::btnExport), text(L"~Export"));
        EXPECT_EQ(Caption(ids::pnlStartingPDataMgr), AnsiRoundTrip(text(L"~StartingPDataMgr")));
    }

    // After an error report from reading the texts: the window keeps the captions it was
    // created with, and the start-up goes no further (no CAD library, no program controls).
    void ExpectStartUpEndedThereAndCloseEndsTheProgram() {
        // A start-up that went on would load the library and, 200 ms later, show the program
        // controls; give it the time to do so.
        Sleep(600);
        EXPECT_FALSE(MessageBoxWindow::Find(program_->Id()));
        EXPECT_TRUE(Control(ids::pnlStartingPDataMgr).IsVisible());
        EXPECT_FALSE(Control(ids::pnlProgramControls).IsVisible());
        EXPECT_EQ(main_->Text(), L"DOVEravar");
        EXPECT_EQ(Caption(ids::pnlStartingPDataMgr), L"~StartingPDataMgr");
        EXPECT_EQ(Caption(ids::lblExportDestination), L"~ExportDestination");
        EXPECT_EQ(Caption(ids::lblExportFormats), L"~ExportFormats");
        EXPECT_EQ(Caption(ids::btnExport), L"~Export");

        EXPECT_EQ(CloseAndWait(), 0u);
        EXPECT_TRUE(Calls().empty()) << "the CAD library was loaded: " << Calls().front();
    }

    // Starts the program, answers the one message box the texts cause and returns its text.
    std::wstring StartAndAnswerTheMessage(const std::wstring& program) {
        Start(program);
        WaitForMainWindow();
        const MessageBoxWindow box = MessageBoxWindow::WaitFor(program_->Id());
        EXPECT_EQ(drive::FindTopLevelWindows(program_->Id(), {.className = L"#32770"}).size(), 1u);
        const std::wstring message = box.Message();
        const auto buttons = box.Buttons();
        EXPECT_EQ(buttons.size(), 1u);
        EXPECT_TRUE(!buttons.empty() && buttons[0].id == IDOK);
        box.Press(IDOK);
        return message;
    }

    std::vector<std::wstring> removeAtEnd_;
};

std::wstring KeyItself(std::wstring_view key) {
    return std::wstring(key);
}

// --- captions of a language -----------------------------------------------------------------

struct LanguageCase {
    std::string name;
    std::optional<std::wstring> variable; // xQRVLanguage, or unset
    std::wstring rows;                    // the language of the demo rows shown
};

void PrintTo(const LanguageCase& languageCase, std::ostream* out) {
    *out << languageCase.name;
}

class ProgramTextsLanguageTest : public ProgramTextsTest,
                                 public ::testing::WithParamInterface<LanguageCase> {};

TEST_P(ProgramTextsLanguageTest, CaptionsShowTheDemoTextsOfTheLanguage) {
    SetEnv(L"xQRVLanguage", GetParam().variable);
    Start();
    WaitUntilReady();
    EXPECT_FALSE(MessageBoxWindow::Find(program_->Id()));
    ExpectCaptions([&](std::wstring_view key) { return DemoText(GetParam().rows, key); });
    EXPECT_EQ(CloseAndWait(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Languages, ProgramTextsLanguageTest,
                         ::testing::Values(LanguageCase{"DefaultEnglish", std::nullopt, L"ENGB"},
                                           LanguageCase{"English", L"ENGB", L"ENGB"},
                                           LanguageCase{"German", L"DEDE", L"DEDE"},
                                           LanguageCase{"GermanInLowerCase", L"dede", L"DEDE"}),
                         [](const auto& info) { return info.param.name; });

TEST_F(ProgramTextsTest, LanguageWithFewRowsShowsTheKeysForTheRestWithoutAMessage) {
    SetEnv(L"xQRVLanguage", L"FRFR");
    Start();
    WaitUntilReady();
    EXPECT_FALSE(MessageBoxWindow::Find(program_->Id()));
    ExpectCaptions([](std::wstring_view key) {
        return key == L"~Export" ? DemoText(L"FRFR", key) : KeyItself(key);
    });
    EXPECT_EQ(CloseAndWait(), 0u);
}

TEST_F(ProgramTextsTest, CzechEightBitCaptionsLoseWhatTheAnsiCodePageLacksUnicodeOnesKeepAll) {
    // The demo texts, with a Czech title that Windows-1252 cannot hold either.
    const std::wstring title = L"Export CAD \x2013 \x10D"
                               L"e\x161tina";
    auto records = DemoTextRecords();
    for (auto& record : records) {
        if (record.fields[0] == u"CSCZ" && record.fields[2] == u"~DOVEravar") {
            record.fields[3] = std::u16string(title.begin(), title.end());
        }
    }
    const auto text = [&](std::wstring_view key) {
        return key == L"~DOVEravar" ? title : DemoText(L"CSCZ", key);
    };
    for (const wchar_t* key :
         {L"~DOVEravar", L"~StartingPDataMgr", L"~CreateZipFile", L"~CADWindowsWillOpen"}) {
        ASSERT_NE(AnsiRoundTrip(text(key)), text(key)) << "fits the ANSI code page: " << key;
    }
    const ProgramCopy copy = CopyProgram();
    copy.WriteDatabase(TextsDatabase(records));
    SetEnv(L"xQRVLanguage", L"CSCZ");
    Start(copy.Program());
    WaitUntilReady();
    ExpectCaptions(text);
    EXPECT_EQ(CloseAndWait(), 0u);
}

// --- a table edited in Access over the years -------------------------------------------------

struct EditedTableCase {
    std::string name;
    textsdb::TextsTableOptions table;
};

void PrintTo(const EditedTableCase& editedCase, std::ostream* out) {
    *out << editedCase.name;
}

class ProgramTextsEditedTableTest : public ProgramTextsTest,
                                    public ::testing::WithParamInterface<EditedTableCase> {};

// Half of the demo rows were written before the column was deleted or added, half after.
TEST_P(ProgramTextsEditedTableTest, CaptionsAreTheSameAsFromTheTableAsCreated) {
    const ProgramCopy copy = CopyProgram();
    copy.WriteDatabase(TextsDatabase(DemoTextRecords(), L"815C7d", GetParam().table));
    SetEnv(L"xQRVLanguage", L"DEDE");
    Start(copy.Program());
    WaitUntilReady();
    EXPECT_FALSE(MessageBoxWindow::Find(program_->Id()));
    ExpectCaptions([](std::wstring_view key) { return DemoText(L"DEDE", key); });
    EXPECT_EQ(CloseAndWait(), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, ProgramTextsEditedTableTest,
    ::testing::Values(EditedTableCase{"ColumnDeletedBetweenKeyAndText", {.deletedColumn = true}},
                      EditedTableCase{"ColumnAddedAfterRowsWereWritten", {.addedColumn = true}}),
    [](const auto& info) { return info.param.name; });

// --- keys and rows ----------------------------------------------------------------------------

TEST_F(ProgramTextsTest, KeysMatchWithLetterCaseAndTheLaterOfTwoRowsWins) {
    const ProgramCopy copy = CopyProgram();
    copy.WriteDatabase(TextsDatabase(TextRecords({
        {L"ENGB", L"PROGRAM", L"~DOVEravar", L"Keys"},
        {L"ENGB", L"PROGRAM", L"~EXPORT", L"Export in capitals"},
        {L"ENGB", L"PROGRAM", L"~ExportDestination", L"Earlier destination"},
        {L"DEDE", L"PROGRAM", L"~ExportDestination", L"Ziel"},
        {L"ENGB", L"PROGRAM", L"~ExportDestination", L"Later destination"},
    })));
    Start(copy.Program());
    WaitUntilReady();
    EXPECT_FALSE(MessageBoxWindow::Find(program_->Id()));
    ExpectCaptions([](std::wstring_view key) {
        return key == L"~DOVEravar"           ? L"Keys"
               : key == L"~ExportDestination" ? L"Later destination"
                                              : KeyItself(key);
    });
    EXPECT_EQ(CloseAndWait(), 0u);
}

// --- no database ------------------------------------------------------------------------------

TEST_F(ProgramTextsTest, WithoutDatabaseOneMessageNamesTheFileAndEveryCaptionShowsItsKey) {
    const ProgramCopy copy = CopyProgram();
    EXPECT_EQ(StartAndAnswerTheMessage(copy.Program()),
              L"Error, file " + copy.DatabasePath() + L" not found");
    WaitUntilReady();
    EXPECT_FALSE(MessageBoxWindow::Find(program_->Id()));
    ExpectCaptions(KeyItself);
    EXPECT_EQ(CloseAndWait(), 0u);
    const auto calls = Calls();
    EXPECT_TRUE(std::any_of(calls.begin(), calls.end(),
                            [](const auto& call) { return call == L"LibInitialization"; }));
}

TEST_F(ProgramTextsTest, ProgramAtTheRootOfADriveLooksForTheDatabaseWithOneBackslash) {
    const std::wstring expected = L"C:\\data\\tables\\ado\\QRV3RUN_2K.mdb";
    ASSERT_FALSE(FileExists(expected));
    const ProgramCopy copy(L"C:\\",
                           L"qrv-root-" + std::to_wstring(GetCurrentProcessId()) + L".exe");
    removeAtEnd_.push_back(copy.Program());
    EXPECT_EQ(StartAndAnswerTheMessage(copy.Program()), L"Error, file " + expected + L" not found");
    WaitUntilReady();
    EXPECT_EQ(CloseAndWait(), 0u);
}

// --- a database that cannot be read -----------------------------------------------------------

TEST_F(ProgramTextsTest, WrongPasswordIsReportedAndTheStartUpEndsThere) {
    const ProgramCopy copy = CopyProgram();
    copy.WriteDatabase(TextsDatabase(DemoTextRecords(), L"another"));
    EXPECT_EQ(StartAndAnswerTheMessage(copy.Program()),
              copy.DatabasePath() + L": Not a valid password.");
    ExpectStartUpEndedThereAndCloseEndsTheProgram();
}

TEST_F(ProgramTextsTest, DatabaseHeldOpenForWritingIsReportedAndTheStartUpEndsThere) {
    const ProgramCopy copy = CopyProgram();
    copy.WriteDatabase(TextsDatabase(DemoTextRecords()));
    const OpenForWriting writer(copy.DatabasePath());
    const std::wstring message = StartAndAnswerTheMessage(copy.Program());
    // The reader's text, then the system's own words for the sharing violation.
    EXPECT_TRUE(message.starts_with(copy.DatabasePath() +
                                    L": cannot open the database file for reading while denying "
                                    L"others to write it (error 32"))
        << message;
    ExpectStartUpEndedThereAndCloseEndsTheProgram();
}

// --- databases the reader does not take ------------------------------------------------------

TEST_F(ProgramTextsTest, AccessNinetySevenDatabaseIsReportedAndTheStartUpEndsThere) {
    const ProgramCopy copy = CopyProgram();
    const auto bytes = textsdb::WriteDatabase({textsdb::BuildTextsTable(DemoTextRecords(), {})},
                                              {.password = u"815C7d", .versionByte = 0});
    copy.WriteDatabase(std::string(bytes.begin(), bytes.end()));
    EXPECT_EQ(StartAndAnswerTheMessage(copy.Program()),
              copy.DatabasePath() + L": the database file version is Jet 3 (Access 97); only Jet "
                                    L"4 (Access 2000-2003) files can be read");
    ExpectStartUpEndedThereAndCloseEndsTheProgram();
}

TEST_F(ProgramTextsTest, LinkedTextsTableIsReportedWithWhereItsRowsLive) {
    const ProgramCopy copy = CopyProgram();
    const auto bytes = textsdb::WriteDatabase(
        {}, {.password = u"815C7d"},
        {{u"X_PROGRAMSTRINGS", u"S:\\Texts\\Master.mdb", u"X_PROGRAMSTRINGS"}});
    copy.WriteDatabase(std::string(bytes.begin(), bytes.end()));
    EXPECT_EQ(StartAndAnswerTheMessage(copy.Program()),
              copy.DatabasePath() + L": the table X_PROGRAMSTRINGS is linked to the table "
                                    L"X_PROGRAMSTRINGS of S:\\Texts\\Master.mdb; only tables "
                                    L"stored in the database itself can be read");
    ExpectStartUpEndedThereAndCloseEndsTheProgram();
}

TEST_F(ProgramTextsTest, ProgramHasClosedTheDatabaseOnceTheTextsAreRead) {
    const ProgramCopy copy = CopyProgram();
    copy.WriteDatabase(TextsDatabase(DemoTextRecords()));
    Start(copy.Program());
    WaitUntilReady();
    EXPECT_EQ(Caption(ids::btnExport), DemoText(L"ENGB", L"~Export"));
    EXPECT_EQ(ErrorOpeningExclusively(copy.DatabasePath()), 0u);
    EXPECT_EQ(CloseAndWait(), 0u);
}

// --- the texts tool as an integrator uses it ---------------------------------------------------

// Runs textsdb with these arguments, one command line each, in a batch file of the system's
// command interpreter, as an integrator would (Wine 8's interpreter runs what follows || even
// after a success, so each line is followed by a test of its exit code).
void RunTextsdb(const TempFolder& temp, std::initializer_list<std::wstring> commands) {
    std::wstring batch = L"@echo off\r\n";
    for (const std::wstring& command : commands) {
        batch += L"\"" + drive::ToWindowsPath(QRV_TEXTSDB) + L"\" " + command +
                 L"\r\nif errorlevel 1 exit /b 1\r\n";
    }
    WriteUtf8File(temp.PathOf(L"textsdb.cmd"), batch);
    wchar_t system[MAX_PATH];
    GetSystemDirectoryW(system, MAX_PATH);
    auto cmd = drive::Process::Start({.program = std::wstring(system) + L"\\cmd.exe",
                                      .arguments = {L"/c", temp.PathOf(L"textsdb.cmd")},
                                      .workingDirectory = temp.Path()});
    EXPECT_EQ(cmd.WaitForExit(), 0u) << "textsdb failed in:\n" << drive::ToUtf8(batch);
}

TEST_F(ProgramTextsTest, TextsToolWritesTheShippedTextsBackAsTheyWereAndAddsALanguage) {
    // Dump, write and dump again: the same text and the same file as shipped.
    RunTextsdb(temp_,
               {L"dump \"" + DistPath(L"data\\tables\\ado\\QRV3RUN_2K.mdb") + L"\" > texts.tsv",
                L"write texts.tsv same.mdb", L"dump same.mdb > same.tsv"});
    const std::string dumped = ReadBytes(temp_.PathOf(L"texts.tsv"));
    EXPECT_EQ(ReadBytes(temp_.PathOf(L"same.tsv")), dumped);
    EXPECT_EQ(ReadBytes(temp_.PathOf(L"same.mdb")),
              ReadBytes(DistPath(L"data\\tables\\ado\\QRV3RUN_2K.mdb")));

    // Swedish added: each English line again, with an A-ring in front of its text.
    std::string edited = dumped;
    for (const std::wstring& line : SplitLines(ReadUtf8File(temp_.PathOf(L"texts.tsv")))) {
        if (line.starts_with(L"ENGB\t")) {
            const size_t text = line.rfind(L'\t') + 1;
            edited += drive::ToUtf8(L"SVSE" + line.substr(4, text - 4) + L"\u00C5 " +
                                    line.substr(text) + L"\r\n");
        }
    }
    WriteBytes(temp_.PathOf(L"edited.tsv"), edited);
    RunTextsdb(temp_, {L"write edited.tsv edited.mdb"});
    const ProgramCopy copy = CopyProgram();
    copy.WriteDatabase(ReadBytes(temp_.PathOf(L"edited.mdb")));
    SetEnv(L"xQRVLanguage", L"SVSE");
    Start(copy.Program());
    WaitUntilReady();
    ExpectCaptions([](std::wstring_view key) { return L"\u00C5 " + DemoText(L"ENGB", key); });
    EXPECT_EQ(CloseAndWait(), 0u);
}

} // namespace
} // namespace qrv::e2e
