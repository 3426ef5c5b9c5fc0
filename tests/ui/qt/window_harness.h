#pragma once

#include <QAbstractButton>
#include <QLineEdit>
#include <QRadioButton>

#include "tests/support/fake_services.h"
#include "tests/support/modal_script.h"
#include "tests/ui/scripted_file_dialog.h"
#include "ui/form_handlers.h"
#include "ui/qt/frmcnvt.h"

namespace zonora::test {

// The real window with its handlers, the dialog and the message boxes faked.
struct WindowHarness {
    WindowHarness() {
        handlers.emplace(window, fakes.services, cd, [this] { ++ends; });
        window.forwardTo(*handlers);
    }

    template <typename T>
    T* get(const char* name) {
        return child<T>(&window, name);
    }
    QLineEdit* tbm() { return get<QLineEdit>("tbm"); }
    QLineEdit* tbp() { return get<QLineEdit>("tbp"); }
    QRadioButton* option(const char* name) { return get<QRadioButton>(name); }
    QAbstractButton* button(const char* name) { return get<QAbstractButton>(name); }

    frmcnvt window;
    FakeServices fakes;
    ScriptedFileDialog cd{window};
    int ends = 0;
    std::optional<FormHandlers> handlers;
};

}  // namespace zonora::test
