#include "app/application.h"

#include "app/browser_window.h"
#include "app/class_editor_window.h"
#include "app/competitor_window.h"
#include "app/dialog_prompt.h"
#include "app/language_switch.h"
#include "app/main_window.h"
#include "app/manual_entry_window.h"
#include "app/print_preview_window.h"
#include "app/publish_window.h"
#include "app/results_window.h"
#include "app/text_import_window.h"

namespace ravik {

RavikApp::RavikApp(std::unique_ptr<Prompt> prompt)
    : prompt_(prompt ? std::move(prompt) : std::make_unique<DialogPrompt>()) {
    main_ = std::make_unique<MainWindow>(*this);
    competitors_ = std::make_unique<CompetitorWindow>(*this);
    textImport_ = std::make_unique<TextImportWindow>(*this);
    browser_ = std::make_unique<BrowserWindow>();
    classEditor_ = std::make_unique<ClassEditorWindow>(*this);
    manualEntry_ = std::make_unique<ManualEntryWindow>(*this);
    results_ = std::make_unique<ResultsWindow>(*this);
    publish_ = std::make_unique<PublishWindow>(*this);
    printPreview_ = std::make_unique<PrintPreviewWindow>(*this);

    useQtCatalogue(session().language); // the windows start in Czech

    // Closing the main window ends the program, whatever else is open.
    for (QWidget* window : windows())
        if (window != main_.get()) window->setAttribute(Qt::WA_QuitOnClose, false);
}

RavikApp::~RavikApp() = default;

std::vector<QWidget*> RavikApp::windows() const {
    return {main_.get(),        competitors_.get(), textImport_.get(), browser_.get(),     classEditor_.get(),
            manualEntry_.get(), results_.get(),     publish_.get(),    printPreview_.get()};
}

} // namespace ravik
