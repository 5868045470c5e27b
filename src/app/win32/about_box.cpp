#include "app/win32/about_box.h"

#include "app/main_window_ids.h"
#include "app/main_window_layout.h"
#include "app/program_facts.h"
#include "platform/win32/window_text.h"

#include <commctrl.h>

namespace qrv {

namespace {

constexpr DWORD kButton = WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;

constexpr TControlSpec kAboutControls[] = {
    {ids::lblText, WC_STATICW, L"", WS_VISIBLE},
    {ids::memText, WC_EDITW, L"",
     WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL |
         ES_NOHIDESEL,
     WS_EX_CLIENTEDGE},
    {ids::btnCopy, WC_BUTTONW, L"", kButton},
    {ids::btnPutAway, WC_BUTTONW, L"OK", kButton | BS_DEFPUSHBUTTON},
};

constexpr TFormDesign kAboutDesign = {
    .className = ids::kAboutBoxClass,
    .style = WS_CAPTION | WS_SYSMENU,
    .exStyle = WS_EX_DLGMODALFRAME,
    .width = kAboutClientWidth,
    .height = kAboutClientHeight,
    .layout = kAboutLayout,
    .controls = kAboutControls,
};

} // namespace

TfrmAbout::TfrmAbout(HINSTANCE instance, HWND owner, TProgramSession& session)
    : TTextWindow(kAboutDesign, instance, owner), session_(session) {}

void TfrmAbout::Refresh() {
    const TRunTexts& texts = session_.keptTexts.run;
    SetCaptions(texts.aboutTitle, texts.aboutLabel, texts.copy, u"OK");
    SetWindowTextOf(TextField(), AboutText(ProgramFacts(session_), texts));
}

} // namespace qrv
