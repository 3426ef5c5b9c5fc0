#include <emscripten.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <optional>

#include "convert/conversion.h"
#include "platform/install_tool.h"
#include "platform/posix/posix_file_system.h"
#include "ui/form_handlers.h"
#include "ui/form_layout.h"
#include "ui/web/web_services.h"
#include "ui/web/zone_grid.h"

// The page's one form: the same handlers as the windows', over the page's
// controls and services. page.js calls the functions below on its events.
namespace {

using namespace zonora;

EM_JS(void, pageReset, (), { Module.host.reset(); });
EM_JS(void, pageCaption, (const char* name, const char* caption),
      { Module.host.setCaption(UTF8ToString(name), UTF8ToString(caption)); });

// The captions come from the one table every window is built from; the page's
// markup only holds them for a browser that runs no script.
void captionControls() {
    pageCaption("", layout::kWindowCaption);
    for (const layout::Control& control : layout::kControls) {
        if (*control.caption != '\0') pageCaption(control.name, control.caption);
    }
}

struct Page {
    Page() {
        std::filesystem::create_directories(web::kFilesFolder);
        std::filesystem::create_directories(
            std::filesystem::path(web::kTemplatePath).parent_path());
        // The fields show bare names; the files are in this folder.
        ::chdir(web::kFilesFolder);
        // Emscripten starts with a mask that leaves new files unreadable.
        ::umask(022);
    }

    PosixFileSystem memoryFiles;
    web::DownloadingFileSystem files{memoryFiles};
    web::PageClock clock;
    web::StoredTemplateLocator templates;
    AbsentInstallTool installTool;  // a page cannot start a program
    web::PageMessageBox box;
    ConversionServices services{files, box, clock, templates, installTool};
    web::PageForm form;
    web::PageFileDialog cd;
    // Exit cannot close the browser's tab: it leaves the page as it started.
    FormHandlers handlers{form, services, cd, [] { pageReset(); }};
};

Page& page() {
    static Page instance;
    return instance;
}

}  // namespace

// The controls in the order of the page's calls; each number is one handler.
enum class Control { Cmdbrm, cmdbrp, cmdcvt, Cmdexit, Optm2p, Optp2m };

extern "C" {

EMSCRIPTEN_KEEPALIVE void zonora_click(int control) {
    FormHandlers& handlers = page().handlers;
    switch (static_cast<Control>(control)) {
        case Control::Cmdbrm:
            handlers.Cmdbrm_Click();
            break;
        case Control::cmdbrp:
            handlers.cmdbrp_Click();
            break;
        case Control::cmdcvt:
            handlers.cmdcvt_Click();
            break;
        case Control::Cmdexit:
            handlers.Cmdexit_Click();
            break;
        case Control::Optm2p:
            handlers.Optm2p_Click();
            break;
        case Control::Optp2m:
            handlers.Optp2m_Click();
            break;
    }
}

// A file dropped on the page, already copied into the files' folder.
EMSCRIPTEN_KEEPALIVE void zonora_open(const char* name) { page().handlers.openFile(name); }

EMSCRIPTEN_KEEPALIVE const char* zonora_files_folder() { return web::kFilesFolder; }

// The grid of the file the chosen direction reads, compared with the given
// file or, without one, with the file in the other field when there is one.
EMSCRIPTEN_KEEPALIVE const char* zonora_grid(const char* compared) {
    static std::string json;
    Page& p = page();
    const bool mapToPdb = p.form.mapToPdbSelected();
    const std::string shown = mapToPdb                    ? p.form.mapPath()
                              : p.form.pdbToMapSelected() ? p.form.pdbPath()
                                                          : "";
    std::string other = compared;
    if (other.empty()) other = mapToPdb ? p.form.pdbPath() : p.form.mapPath();
    json = web::zoneGridJson(shown, other, p.memoryFiles);
    return json.c_str();
}
}

// Runs once the module is loaded: the page is ready for its first event.
int main() {
    captionControls();
    page();
    return 0;
}
