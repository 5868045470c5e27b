#pragma once
// What the driver tests know about the fixture program: its classes, control IDs and texts.

namespace qrv::fixture {

inline constexpr wchar_t kMainClass[] = L"QrvFixtureMain";
inline constexpr wchar_t kProgressClass[] = L"QrvFixtureProgress"; // hidden until Work
inline constexpr wchar_t kProgressCaption[] = L"Working";
inline constexpr wchar_t kDefaultTitle[] = L"Fixture";
inline constexpr wchar_t kMutexName[] = L"QrvFixtureSingleInstance";
inline constexpr wchar_t kRestoreMessageName[] = L"QrvFixtureRestore";
inline constexpr wchar_t kGreetingCaption[] = L"Fixture says";

enum ControlId : int {
    kStatusLabel = 100, // "Ready", the answer of the last greeting box, or "Work done"
    kFolderLabel = 101, // the current folder at start
    kEnvLabel = 102,    // "NAME=value" or "NAME is unset" for --show-env NAME
    kGreetButton = 200, // opens the greeting box "Hello, <name>!"
    kQuitButton = 201,  // ends the program with the number in the name field as exit code
    kWorkButton = 202,  // shows the progress window and works until it is closed
    kNameEdit = 300,
    kLockCheckBox = 400, // checked: the name field is disabled
    kFruitList = 500,    // a list box
    kOptionList = 600,   // a check list
};

} // namespace qrv::fixture
