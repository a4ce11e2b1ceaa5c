#include "media_dialogs/image_builder.h"

#include "core/html_attributes.h"

BuilderResult buildImage(const ImageFields &f)
{
    if (f.image.isEmpty())
        return BuilderResult::refused(kImageMissing, kImageTitle);

    const bool linked = !f.link.isEmpty();
    QString s;
    if (linked) {
        s += QStringLiteral("<a");
        appendAttribute(s, "href", f.link);
        appendAttribute(s, "target", f.target);
        s += QLatin1Char('>');
    }
    s += QStringLiteral("<img");
    appendAttribute(s, "src", f.image);
    appendAttribute(s, "lowsrc", f.low);
    appendAttribute(s, "alt", f.alt);
    if (f.alignIndex > 0 && f.alignIndex < kImageAlignments.size())
        appendAttribute(s, "align", kImageAlignments[f.alignIndex]);
    appendAttribute(s, "border", f.border);
    appendAttribute(s, "hspace", f.hspace);
    appendAttribute(s, "vspace", f.vspace);
    appendAttribute(s, "width", f.width);
    appendAttribute(s, "height", f.height);
    s += QLatin1Char('>');
    if (linked)
        s += QStringLiteral("</a>");
    return BuilderResult::built(s);
}
