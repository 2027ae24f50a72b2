// Writes a demo emulator folder: korb-demo FOLDER [--sim PATH-OF-KORB-SIM] [--convert PATH-OF-CONVERTER]

#include <cstdio>
#include <exception>
#include <string>

#include <QGuiApplication>

#include "DemoFolder.h"

int main(int argc, char** argv)
{
    std::string folder;
    std::string simPath = KORB_SIM_BUILT_PATH;
    std::string convertPath = KORB_CONVERT_BUILT_PATH;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--sim" && i + 1 < argc)
            simPath = argv[++i];
        else if (argument == "--convert" && i + 1 < argc)
            convertPath = argv[++i];
        else if (argument == "--help" || argument == "-h" || !folder.empty()) {
            std::fprintf(stderr,
                         "usage: korb-demo FOLDER [--sim PATH] [--convert PATH]\n"
                         "Writes an emulator folder with the stand-in emulator, the screenshot converter\n"
                         "and fictional games.\n");
            return argument.rfind("-h", 0) == 0 || argument == "--help" ? 0 : 2;
        } else
            folder = argument;
    }
    if (folder.empty()) {
        std::fprintf(
            stderr,
            "korb-demo: which folder shall I write? usage: korb-demo FOLDER [--sim PATH] [--convert PATH]\n");
        return 2;
    }
    // Drawing text needs a GUI application, but never a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    try {
        WriteDemoFolder(folder, simPath, convertPath);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "korb-demo: %s\n", error.what());
        return 1;
    }
    std::printf("Demo emulator folder written to %s\n", folder.c_str());
    return 0;
}
