#include "ui/form_handlers.h"

#include "ui/file_selection.h"
#include "ui/open_file.h"

namespace zonora {

void FormHandlers::Cmdbrm_Click() { selectFile(FileSide::Map, form_, cd_, services_.box); }

void FormHandlers::cmdbrp_Click() { selectFile(FileSide::Pdb, form_, cd_, services_.box); }

// The conversion clears both fields when it converts.
void FormHandlers::cmdcvt_Click() {
    if (form_.mapToPdbSelected()) {
        MapToPdb(form_, services_);
    } else {
        PdbToMap(form_, services_);  // also when no direction is chosen
    }
}

void FormHandlers::Cmdexit_Click() { endProgram_(); }

// A path chosen for one direction is never carried over to the other.
void FormHandlers::Optm2p_Click() {
    form_.clearMap();
    form_.clearPdb();
}

void FormHandlers::Optp2m_Click() {
    form_.clearMap();
    form_.clearPdb();
}

void FormHandlers::openFile(const std::string& path) {
    const OpenedFile opened = openedFile(path, services_.files);
    form_.select(opened.mapToPdb ? Direction::MapToPdb : Direction::PdbToMap);
    form_.setMap(opened.mapPath);
    form_.setPdb(opened.pdbPath);
}

}  // namespace zonora
