#include "ui/form_handlers.h"

namespace zonora {

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

}  // namespace zonora
