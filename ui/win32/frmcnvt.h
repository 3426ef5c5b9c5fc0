#pragma once

// frmcnvt and its control names (tbm, Cmdbrm, Optm2p, ...) are those of the
// original form, kept on purpose; see "Names" in the README.

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <array>
#include <exception>
#include <optional>
#include <string>
#include <string_view>

#include "ui/form_controls.h"
#include "ui/form_layout.h"
#include "ui/win32/direction_buttons.h"
#include "ui/win32/fonts.h"
#include "ui/win32/painting.h"

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

    HWND hwnd() const { return hwnd_; }
    // The control's window, or null for one without a window of its own
    // (the shapes, which the window paints, and the file dialog).
    HWND control(std::string_view name) const;
    // The dots per inch the controls are laid out for.
    int dpi() const { return dpi_; }

    // Exceptions cannot cross the system's frames: one thrown by a handler
    // is kept and thrown again here, on the message loop's side.
    void rethrowPending();

    std::string text(Field field) const override;
    void setText(Field field, const std::string& text) override;
    bool isSelected(Direction direction) const override;
    void select(Direction direction) override;

  private:
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK frameProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR id, DWORD_PTR self);
    static LRESULT CALLBACK fieldProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR id, DWORD_PTR self);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    // One for each message the window answers itself (frmcnvt_messages.cpp).
    LRESULT onCommand(int id, int code);
    LRESULT onPaint();
    LRESULT onPrintClient(HDC dc, LPARAM what);
    void onActivate(WORD state);
    LRESULT onSetFocus();
    LRESULT onDpiChanged(int dpi, const RECT* suggested);
    LRESULT onDropFiles(HDROP drop);
    bool onClose();  // false: left to the system
    LRESULT onDestroy();
    LRESULT onNcDestroy();

    // The controls from the table (frmcnvt_controls.cpp).
    void createControls();
    void createIn(HWND parent, std::string_view container);
    void placeControls();        // for dpi_
    void setFonts(bool redraw);  // for dpi_

    void clicked(std::string_view control);
    void directionClicked(Direction direction);

    HWND hwnd_ = nullptr;
    std::array<HWND, layout::kControls.size()> windows_{};  // by table row; null without a window
    int dpi_ = USER_DEFAULT_SCREEN_DPI;
    FormHandlers* handlers_ = nullptr;
    std::optional<Direction> selected_;  // the direction last reported to the handlers
    DirectionButtons directions_;
    bool destroying_ = false;
    HWND lastFocus_ = nullptr;
    FormFonts fonts_;
    FormPainting painting_;
    std::exception_ptr pending_;
};

}  // namespace zonora
