#pragma once

// frmcnvt and its control names (tbm, Cmdbrm, Optm2p, ...) are those of the
// original form, kept on purpose; see "Names" in the README.

#include <windows.h>

#include <array>
#include <exception>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/form_controls.h"
#include "ui/form_layout.h"

namespace zonora {

class FormHandlers;

// The program's one window in plain Win32, built from the shared control
// table. It lays out the controls and forwards their events to the handlers;
// the fields and the direction are its state. Created hidden.
class frmcnvt : public FormControls {
  public:
    explicit frmcnvt(HINSTANCE instance = ::GetModuleHandleW(nullptr));
    ~frmcnvt() override;
    frmcnvt(const frmcnvt&) = delete;
    frmcnvt& operator=(const frmcnvt&) = delete;

    // Sends every control's event to its handler; closing the window counts
    // as Exit. Called once.
    void forwardTo(FormHandlers& handlers);
    void show(int showCommand = SW_SHOWNORMAL);

    // Fills the window for a file named at start or dropped on it: the
    // direction that reads it is selected as a click selects it (its handler
    // clears both fields), then the file and the proposed name go in their
    // fields. Converts nothing.
    void openFile(const std::string& utf8Path);

    HWND hwnd() const { return hwnd_; }
    // The control's window, or null for one without a window of its own
    // (the shapes, which the window paints, and the file dialog).
    HWND control(std::string_view name) const;
    // The dots per inch the controls are laid out for.
    int dpi() const { return dpi_; }

    // Exceptions cannot cross the system's frames: one thrown by a handler
    // is kept and thrown again here, on the message loop's side.
    void rethrowPending();

    std::string mapPath() const override;
    std::string pdbPath() const override;
    void clearMap() override;
    void clearPdb() override;
    void setMap(const std::string& path) override;
    void setPdb(const std::string& path) override;
    bool mapToPdbSelected() const override;
    bool pdbToMapSelected() const override;

  private:
    enum class Direction { MapToPdb, PdbToMap };
    using Checks = std::array<bool, 2>;  // Optm2p, Optp2m

    static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK frameProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR id, DWORD_PTR self);
    static LRESULT CALLBACK optionProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR id, DWORD_PTR self);
    static LRESULT CALLBACK fieldProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR id, DWORD_PTR self);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);

    void createControls();
    void layOut();  // places and fonts for dpi_
    double fittingPoints(HDC dc, const layout::Control& row, HWND window) const;
    void resizeClientArea(std::optional<POINT> topLeft);
    void paint(HDC dc) const;
    void command(int id, int code);
    void directionClicked(Direction direction);
    LRESULT colourStatic(HWND control, HDC dc, LRESULT systemBrush);
    HBRUSH brushFor(const layout::Colour& colour);
    Checks checks() const;
    void restoreChecks(const Checks& before);
    bool isChecked(std::string_view name) const;
    std::string text(std::string_view name) const;
    void setText(std::string_view name, const std::string& text);

    HWND hwnd_ = nullptr;
    std::array<HWND, layout::kControls.size()> windows_{};  // by table row; null without a window
    int dpi_ = USER_DEFAULT_SCREEN_DPI;
    FormHandlers* handlers_ = nullptr;
    std::optional<Direction> selected_;  // the direction last reported to the handlers
    int focusing_ = 0;                   // inside a direction button's WM_SETFOCUS
    bool destroying_ = false;
    HWND lastFocus_ = nullptr;
    std::vector<HFONT> fonts_;
    std::vector<std::pair<COLORREF, HBRUSH>> brushes_;
    std::exception_ptr pending_;
};

// The file the window is to open from the program's arguments (the program
// name left out): the one argument that is not an option, made absolute;
// nothing when there is none or more than one.
std::optional<std::string> fileNamedAtStart(const std::vector<std::wstring>& arguments);

// One message through the window's keyboard handling (Tab, Shift+Tab, arrows,
// Enter) or to its window.
void deliver(frmcnvt& window, MSG& message);

// Runs until the program is told to end; gives the exit code.
int runMessageLoop(frmcnvt& window);

}  // namespace zonora
