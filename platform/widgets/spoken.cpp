#include "platform/widgets/spoken.h"

#include <QStringList>
#include <QWidget>

namespace talvex {

void Describe(QWidget& control, const QString& name, const QString& description)
{
    control.setAccessibleName(name);
    control.setAccessibleDescription(description);
}

QString SpokenCaption(const QString& caption) { return caption.simplified(); }

QString CaptionPart(const QString& caption, int index, int count)
{
    const QStringList parts = caption.split(u'/');
    if (count < 2 || parts.size() != count || index < 0 || index >= count)
        return SpokenCaption(caption);
    return SpokenCaption(parts[index]);
}

}  // namespace talvex
