#include "widgets/composition.h"

#include <QGuiApplication>

#include <xcb/xcb.h>

#include <array>
#include <mutex>

namespace {

// What tells of rendering on a graphics processor: Mesa's direct
// rendering (DRI3, or DRI2 on older servers) and NVIDIA's own GLX.
constexpr std::array<const char *, 3> kDirectRendering = {"DRI3", "DRI2", "NV-GLX"};

const char *const kSoftwareCompositionNotices[] = {
    "Attribute Qt::AA_ShareOpenGLContexts must be set before QCoreApplication is created.",
    "No suitable graphics backend found", // the engine's ends in a line break
};

QtMessageHandler previousHandler = nullptr;

void leaveOutNotices(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtWarningMsg) {
        for (const char *notice : kSoftwareCompositionNotices) {
            if (QStringView(message).trimmed() == QLatin1String(notice))
                return;
        }
    }
    previousHandler(type, context, message);
}

} // namespace

void quietSoftwareCompositionNotices()
{
    static std::once_flag once;
    // Qt hands back its own handler when no other was installed.
    std::call_once(once, [] { previousHandler = qInstallMessageHandler(leaveOutNotices); });
}

bool composeInSoftware(const GraphicsFacts &facts)
{
    if (facts.quickBackend)
        return *facts.quickBackend == QLatin1String("software");
    const QString soft = facts.softwareGl.trimmed().toLower();
    if (!soft.isEmpty() && soft != QLatin1String("0") && soft != QLatin1String("false"))
        return true;
    if (!facts.xExtensions)
        return false; // Wayland and the rest: the graphics processor's
    for (const char *name : kDirectRendering) {
        if (facts.xExtensions->contains(QLatin1String(name)))
            return false;
    }
    return true;
}

GraphicsFacts currentGraphicsFacts()
{
    GraphicsFacts facts;
    if (qEnvironmentVariableIsSet("QT_QUICK_BACKEND"))
        facts.quickBackend = qEnvironmentVariable("QT_QUICK_BACKEND");
    facts.softwareGl = qEnvironmentVariable("LIBGL_ALWAYS_SOFTWARE");
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t *connection = x11 ? x11->connection() : nullptr;
    if (!connection)
        return facts;
    // All questions first, then the answers: one round trip.
    std::array<xcb_query_extension_cookie_t, kDirectRendering.size()> asked;
    for (size_t i = 0; i < asked.size(); ++i)
        asked[i] = xcb_query_extension(connection, uint16_t(qstrlen(kDirectRendering[i])),
                                       kDirectRendering[i]);
    QStringList present;
    for (size_t i = 0; i < asked.size(); ++i) {
        xcb_query_extension_reply_t *reply = xcb_query_extension_reply(connection, asked[i], nullptr);
        if (reply && reply->present)
            present << QLatin1String(kDirectRendering[i]);
        free(reply);
    }
    facts.xExtensions = present;
    return facts;
}
