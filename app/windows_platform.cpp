// The Windows platform: the window Form1 with its label Label1 "Attendere"
// in MS Sans Serif 24 pt bold, placed in twips as the form lays it out, and
// MessageBoxW for errore.
#ifdef _WIN32

#include <windows.h>

#include <string>

#include "app/platform.h"

namespace scenario {

namespace {

constexpr int kTwipsPerInch = 1440;

int twips_to_pixels(int twips, int dpi) { return MulDiv(twips, dpi, kTwipsPerInch); }

LRESULT CALLBACK form_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_CTLCOLORSTATIC) {
    // The label sits on the form's own face colour.
    SetBkMode(reinterpret_cast<HDC>(wp), TRANSPARENT);
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

std::wstring widen(const std::string& s) {
  if (s.empty()) return {};
  const int n = MultiByteToWideChar(1252, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
  std::wstring w(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(1252, 0, s.data(), static_cast<int>(s.size()), w.data(), n);
  return w;
}

class WindowsPlatform : public Platform {
 public:
  ~WindowsPlatform() override { close_window(); }

  void show_window() override {
    HINSTANCE inst = GetModuleHandleW(nullptr);
    WNDCLASSW wc{};
    wc.lpfnWndProc = form_proc;
    wc.hInstance = inst;
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszClassName = L"Form1";
    RegisterClassW(&wc);

    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);

    // The client area is 4200 x 2688 twips; the frame is added around it.
    const DWORD style = WS_OVERLAPPEDWINDOW & ~(WS_MAXIMIZEBOX | WS_THICKFRAME);
    RECT r{0, 0, twips_to_pixels(4200, dpi), twips_to_pixels(2688, dpi)};
    AdjustWindowRect(&r, style, FALSE);
    form_ = CreateWindowExW(0, L"Form1", L"Corvale - Mirbosco", style, CW_USEDEFAULT, CW_USEDEFAULT, r.right - r.left,
                            r.bottom - r.top, nullptr, nullptr, inst, nullptr);
    if (!form_) return;

    font_ = CreateFontW(-MulDiv(24, dpi, 72), 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"MS Sans Serif");
    HWND label = CreateWindowExW(0, L"STATIC", L"Attendere", WS_CHILD | WS_VISIBLE | SS_LEFT, twips_to_pixels(960, dpi),
                                 twips_to_pixels(960, dpi), twips_to_pixels(2652, dpi), twips_to_pixels(792, dpi),
                                 form_, nullptr, inst, nullptr);
    if (label && font_) SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);

    ShowWindow(form_, SW_SHOWNORMAL);
    UpdateWindow(form_);
    // Let the first paint of the form and its label happen before the work.
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }

  void message_box(const std::string& text) override {
    MessageBoxW(form_, widen(text).c_str(), L"corvale_mirbosco", MB_OK);
  }

  void close_window() override {
    if (form_) DestroyWindow(form_);
    form_ = nullptr;
    if (font_) DeleteObject(font_);
    font_ = nullptr;
  }

 private:
  HWND form_ = nullptr;
  HFONT font_ = nullptr;
};

}  // namespace

std::unique_ptr<Platform> make_platform() { return std::make_unique<WindowsPlatform>(); }

}  // namespace scenario

#endif  // _WIN32
