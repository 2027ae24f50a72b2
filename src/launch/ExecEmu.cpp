#include "launch/ExecEmu.h"

#include <filesystem>

TMessage ExecEmuFailMessage()
{
    TMessage message;
    message.Caption = "Error";
    message.Text =
        "Failed to execute BatchFile\rPlease report this problem to the maintainers of VantorKorb.";
    message.Icon = TMsgIcon::Error;
    message.Buttons = {TMsgButton::Cancel};
    return message;
}

void ConfigureExecEmu(TExecFile& execEmu, TDialogs& dialogs, const std::string& batchPath)
{
    execEmu.Associate = false;
    execEmu.Wait = true;
    execEmu.WaitStyle = TWaitStyle::wSuspend;
    execEmu.WindowStyle = TWindowStyle::wsNorm;
    execEmu.Priority = TPriorityClass::pcNormal;
    // The launch changes the working directory; the script must still be found afterwards.
    std::error_code ec;
    std::filesystem::path absolute = std::filesystem::absolute(batchPath, ec);
    execEmu.SetCommandLine(ec ? batchPath : absolute.lexically_normal().string());
    execEmu.OnFail = [&dialogs](TExecFile&) { dialogs.ShowMessage(ExecEmuFailMessage()); };
}
