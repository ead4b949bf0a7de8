#pragma once
// The running program: the session, the prompt for dialogs and every window.
// All windows are created at start-up, in the program's order, and live until
// it ends; they are only shown and hidden.
#include "core/prompt.h"
#include "core/session.h"

#include <memory>
#include <vector>

class QWidget;

namespace ravik {

class MainWindow;
class CompetitorWindow;
class TextImportWindow;
class BrowserWindow;
class ClassEditorWindow;
class ManualEntryWindow;
class ResultsWindow;
class PublishWindow;
class PrintPreviewWindow;

class RavikApp {
public:
    // Without a prompt the program's dialogs are used; tests pass scripted ones.
    explicit RavikApp(std::unique_ptr<Prompt> prompt = nullptr);
    ~RavikApp();
    RavikApp(const RavikApp&) = delete;
    RavikApp& operator=(const RavikApp&) = delete;

    Session& session() { return session_; }
    Prompt& prompt() { return *prompt_; }

    MainWindow& mainWindow() { return *main_; }
    CompetitorWindow& competitorWindow() { return *competitors_; }
    TextImportWindow& textImportWindow() { return *textImport_; }
    BrowserWindow& browserWindow() { return *browser_; }
    ClassEditorWindow& classEditorWindow() { return *classEditor_; }
    ManualEntryWindow& manualEntryWindow() { return *manualEntry_; }
    ResultsWindow& resultsWindow() { return *results_; }
    PublishWindow& publishWindow() { return *publish_; }
    PrintPreviewWindow& printPreviewWindow() { return *printPreview_; }

    // Every window, in the order of creation.
    std::vector<QWidget*> windows() const;

private:
    // The session and the prompt outlive the windows (members die in reverse order).
    Session session_;
    std::unique_ptr<Prompt> prompt_;
    std::unique_ptr<MainWindow> main_;
    std::unique_ptr<CompetitorWindow> competitors_;
    std::unique_ptr<TextImportWindow> textImport_;
    std::unique_ptr<BrowserWindow> browser_;
    std::unique_ptr<ClassEditorWindow> classEditor_;
    std::unique_ptr<ManualEntryWindow> manualEntry_;
    std::unique_ptr<ResultsWindow> results_;
    std::unique_ptr<PublishWindow> publish_;
    std::unique_ptr<PrintPreviewWindow> printPreview_;
};

} // namespace ravik
