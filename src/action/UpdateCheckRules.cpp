#include "UpdateCheckRules.h"

#include "platform/Platform.h"
#include "platform/plist/PropertyListSerialization.h"

#include <algorithm>
#include <cmath>

namespace UpdateCheckRules {

namespace {

constexpr double kNotesWidth = 391;
constexpr double kMinimumNotesHeight = 140;
constexpr double kMinimumCountedNoteHeight = 30;
constexpr double kMinimumFieldHeight = 25;

// A note's value as the dialog shows it; a missing note reads "(null)".
QString noteText(const QVariant& value)
{
    if (!value.isValid())
        return QStringLiteral("(null)");
    if (value.typeId() == QMetaType::QVariantMap || value.typeId() == QMetaType::QVariantList
        || value.typeId() == QMetaType::QByteArray)
        return QString(); // not a text: shown as an empty note, never decoded
    return value.toString();
}

} // namespace

std::optional<QVariantMap> remoteListFromData(const QByteArray& data)
{
    if (data.isEmpty() || data.size() > kMaximumListSize)
        return std::nullopt;
    const QVariant list = platform::Platform::current().propertyLists->propertyListFromData(data);
    if (list.typeId() != QMetaType::QVariantMap)
        return std::nullopt;
    return list.toMap();
}

std::optional<qint64> buildNumber(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::LongLong:
    case QMetaType::Int:
    case QMetaType::ULongLong:
    case QMetaType::UInt: {
        bool ok = false;
        const qint64 number = value.toLongLong(&ok);
        return ok ? std::optional(number) : std::nullopt;
    }
    case QMetaType::Double: {
        // A real counts by its integer value, cut toward zero; one beyond any integer is unreadable.
        const double real = value.toDouble();
        if (!(real > -9223372036854775808.0 && real < 9223372036854775808.0))
            return std::nullopt;
        return qint64(std::trunc(real));
    }
    case QMetaType::QString: {
        bool ok = false;
        const qint64 number = value.toString().trimmed().toLongLong(&ok);
        return ok ? std::optional(number) : std::nullopt;
    }
    default:
        return std::nullopt;
    }
}

UpdateState stateFor(const std::optional<QVariantMap>& remote, const QVariant& localBuild)
{
    if (!remote)
        return UpdateState::NoNetwork;
    const std::optional<qint64> remoteNumber = buildNumber(remote->value(QStringLiteral("VersionCheck")));
    if (!remoteNumber)
        return UpdateState::NoNetwork;
    return *remoteNumber <= buildNumber(localBuild).value_or(0) ? UpdateState::NoUpdate : UpdateState::HaveUpdate;
}

QString updateMessage(const QString& remoteVersion, const QString& localVersion)
{
    // Joined piece by piece: a version text holding "%1" stays as it is.
    return QStringLiteral("Tavrin ") + remoteVersion + QStringLiteral(" is now available-you have ") + localVersion
         + QStringLiteral(". Would you like to download it now?");
}

NotesLayout notesLayout(QVariantMap notes, const std::function<double(const QString&)>& measure)
{
    notes.remove(QStringLiteral("VersionCheck"));
    notes.remove(QStringLiteral("Version"));

    double total = 0;
    for (const QVariant& value : std::as_const(notes))
        total += std::max(measure(noteText(value)), kMinimumCountedNoteHeight);

    NotesLayout layout;
    layout.height = std::max(total, kMinimumNotesHeight);
    double sum = 0;
    const int count = int(notes.size());
    for (int i = 1; i <= count; ++i) {
        const QVariant value = notes.value(QString::number(i));
        const QString text = noteText(value);
        const double height = std::max(measure(text), kMinimumFieldHeight);
        sum += height;
        layout.fields.push_back({QString::number(i) + QLatin1Char(':') + text, value.isValid() ? text : QString(),
                                 platform::ui::Rect(0, layout.height - sum, kNotesWidth, height)});
    }
    return layout;
}

} // namespace UpdateCheckRules
