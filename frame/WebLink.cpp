#include "frame/WebLink.h"

#include "platform/Dialogs.h"
#include "platform/Services.h"

using namespace platform;

bool OpenWebAddress(const QString& address) {
    if (shell().openUrl(address)) return true;
    msgBox(QStringLiteral("Unable to connect to Internet.") + CR + CR +
               QStringLiteral("Please insure your Internet is running in ") + CR +
               QStringLiteral("the background, then please try again!"),
           Msg::Exclamation | Msg::OKOnly, QStringLiteral("Unable to Connect to Internet"));
    return false;
}
