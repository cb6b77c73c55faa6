// ostrelin-render: decodes a spool file and prints it through the spooler's report form, into a
// PDF or on a printer, and can write the composed document (RTF) or the decoded picture (PBM).

#include <QGuiApplication>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "platform/Error.h"
#include "platform/printing/SystemPrinting.h"
#include "platform/richtext/qt/QtTextMetrics.h"
#include "tools/render/RenderJob.h"
#include "tools/render/RenderOptions.h"

namespace {

constexpr int kFailed = 1;
constexpr int kWrongCommandLine = 2;

// Fonts and PDF pages need a Qt platform; without a display, the offscreen one serves.
void ChooseQtPlatform() {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr && std::getenv("DISPLAY") == nullptr &&
        std::getenv("WAYLAND_DISPLAY") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
}

}  // namespace

int main(int argc, char** argv) {
    using namespace ostrelin::tools::render;
    RenderOptions options;
    try {
        options = ParseRenderOptions(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const UsageError& error) {
        std::cerr << "ostrelin-render: " << error.what() << "\n"
                  << "Podrobnosti vypíše příkaz „ostrelin-render --help“.\n";
        return kWrongCommandLine;
    }
    if (options.Help) {
        std::cout << RenderUsage();
        return EXIT_SUCCESS;
    }
    ChooseQtPlatform();
    QGuiApplication application(argc, argv);
    try {
        const auto printing = ostrelin::platform::printing::MakeSystemPrinting();
        ostrelin::platform::richtext::QtTextMetrics metrics;
        RenderJob(options, *printing, metrics, std::cout, std::cerr);
    } catch (const std::exception& error) {
        std::cerr << "ostrelin-render: " << ostrelin::ErrorText(error) << '\n';
        return kFailed;
    }
    return EXIT_SUCCESS;
}
