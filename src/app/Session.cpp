#include "app/Session.h"

#include <exception>

TLaunchResult LaunchGame(TSession& session, TGameObject& game, TDialogs& dialogs, TShell& shell,
                         std::function<void(const std::string&)> statusText, TProgress putAsideProgress)
{
    TLaunchContext context{
        session.Paths,         session.ZipRomPaths,         game, session.ExecEmu, dialogs, shell,
        std::move(statusText), std::move(putAsideProgress), {}};
    try {
        return LaunchGame(context);
    } catch (const std::exception& error) {
        // A run that ended counts, whatever went wrong afterwards.
        context.Result.Error = error.what();
        return context.Result;
    }
}
