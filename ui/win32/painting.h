#pragma once

#include <windows.h>

#include <utility>
#include <vector>

#include "ui/form_layout.h"

namespace zonora {

// The window's colours: the panels it paints itself, and the colours its
// labels are drawn in.
class FormPainting {
  public:
    FormPainting() = default;
    ~FormPainting();
    FormPainting(const FormPainting&) = delete;
    FormPainting& operator=(const FormPainting&) = delete;

    // The two panels are not windows: they are painted under the controls.
    void paintShapes(HDC dc, int dpi) const;

    // The answer to WM_CTLCOLORSTATIC for a label's row (null: none of the
    // table's): its colours set on dc, and the brush for its background.
    LRESULT colourStatic(const layout::Control* row, HDC dc, LRESULT systemBrush);

  private:
    HBRUSH brushFor(const layout::Colour& colour);

    std::vector<std::pair<COLORREF, HBRUSH>> brushes_;
};

}  // namespace zonora
