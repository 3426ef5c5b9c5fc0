#include "ui/file_selection.h"

#include "convert/conversion_frame.h"
#include "convert/proposed_name.h"
#include "ui/form_handlers.h"

namespace zonora {
namespace {

constexpr unsigned kReadFlags = ofn::kFileMustExist | ofn::kHideReadOnly;
constexpr unsigned kWriteFlags =
    ofn::kNoReadOnlyReturn | ofn::kPathMustExist | ofn::kHideReadOnly | ofn::kOverwritePrompt;
constexpr int kSecondFilter = 2;

// One Select button: its dialog settings and the fields it works on.
struct Side {
    const char* filter;
    const char* defaultExt;
    const char* openTitle;
    const char* saveTitle;
    const char* proposedExtension;
    bool (FormControls::*readsThisFile)() const;
    bool (FormControls::*writesThisFile)() const;
    std::string (PathFields::*otherPath)() const;
    void (FormControls::*setPath)(const std::string&);
};

const Side kMapSide{"All files (*.*)|*.*|Map Files|*.map",
                    "map",
                    "Select a Tesk map file to convert",
                    "Select a Tesk Map file to create",
                    "MAP",
                    &FormControls::mapToPdbSelected,
                    &FormControls::pdbToMapSelected,
                    &PathFields::pdbPath,
                    &FormControls::setMap};

const Side kPdbSide{"All files (*.*)|*.*|PDB Files|*.PDB",
                    "pdb",
                    "Select a Druma PDB file to convert",
                    "Select a Druma PDB file to create",
                    "PDB",
                    &FormControls::pdbToMapSelected,
                    &FormControls::mapToPdbSelected,
                    &PathFields::mapPath,
                    &FormControls::setPdb};

void select(const Side& side, FormControls& form, FileDialog& cd, MessageBox& box) {
    try {
        cd.Filter = side.filter;
        cd.FilterIndex = kSecondFilter;
        cd.DefaultExt = side.defaultExt;
        const bool reads = (form.*side.readsThisFile)();
        if (reads) {
            cd.Flags = kReadFlags;
            cd.DialogTitle = side.openTitle;
            cd.FileName = "";
        } else if ((form.*side.writesThisFile)()) {
            cd.Flags = kWriteFlags;
            cd.DialogTitle = side.saveTitle;
            const std::string other = (form.*side.otherPath)();
            // A failed proposal throws here, before the field is cleared.
            cd.FileName = other.empty() ? "" : proposedName(other, side.proposedExtension);
        } else {
            tell(box, kSelectDirectionMessage);
            return;
        }
        // Cleared first, so a Cancel leaves the field empty, not with its old text.
        (form.*side.setPath)("");
        cd.CancelError = true;
        if (reads) {
            cd.showOpen();
        } else {
            cd.showSave();
        }
        (form.*side.setPath)(cd.FileName);
    } catch (...) {
        // Whatever fails here (a Cancel, a dialog that cannot be shown, a
        // proposal from too short a path, or anything else) ends the click
        // without a word: the user can only pick again, so there is nothing
        // to report.
    }
}

}  // namespace

void selectFile(FileSide side, FormControls& form, FileDialog& cd, MessageBox& box) {
    select(side == FileSide::Map ? kMapSide : kPdbSide, form, cd, box);
}

}  // namespace zonora
