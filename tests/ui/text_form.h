#pragma once

#include <string>
#include <vector>

#include "tests/support/fake_services.h"
#include "tests/ui/scripted_file_dialog.h"
#include "ui/form_controls.h"
#include "ui/form_handlers.h"

namespace zonora::test {

// Which direction button is selected, if any.
enum class Selected { None, MapToPdb, PdbToMap };

// The window's state as plain text, with every change logged in order.
class TextForm : public FormControls {
  public:
    TextForm() = default;
    TextForm(std::string map, std::string pdb, Selected direction)
        : map(std::move(map)), pdb(std::move(pdb)), direction(direction) {}

    std::string text(Field field) const override { return field == Field::Map ? map : pdb; }
    void setText(Field field, const std::string& path) override {
        (field == Field::Map ? map : pdb) = path;
        log.push_back((field == Field::Map ? "tbm=" : "tbp=") + path);
    }
    bool isSelected(Direction which) const override {
        return direction ==
               (which == Direction::MapToPdb ? Selected::MapToPdb : Selected::PdbToMap);
    }
    void select(Direction chosen) override {
        direction = chosen == Direction::MapToPdb ? Selected::MapToPdb : Selected::PdbToMap;
        log.push_back(chosen == Direction::MapToPdb ? "Optm2p" : "Optp2m");
    }

    std::string map;
    std::string pdb;
    Selected direction = Selected::None;
    std::vector<std::string> log;
};

// The handlers on a text form, with fake services and a scripted dialog; ends
// counts the times the handlers ended the program.
struct HandlerHarness {
    explicit HandlerHarness(TextForm start) : form(std::move(start)) {}
    TextForm form;
    FakeServices fakes;
    ScriptedFileDialog cd{form};
    int ends = 0;
    FormHandlers handlers{form, fakes.services, cd, [this] { ++ends; }};
};

}  // namespace zonora::test
