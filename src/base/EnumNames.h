#pragma once

#include <QString>
#include <QStringView>

#include <optional>
#include <span>

// An enum's stable names for machine-readable output and stored files, declared once as a
// table beside the enum: `nameIn(table, value)` one way, `valueNamed(table, name)` back.
template <typename Enum> struct EnumName
{
    Enum value;
    QStringView name;
};

template <typename Enum> QString nameIn(std::span<const EnumName<Enum>> table, Enum value)
{
    for (const EnumName<Enum>& entry : table)
        if (entry.value == value)
            return entry.name.toString();
    Q_UNREACHABLE();
    return {};
}

template <typename Enum>
std::optional<Enum> valueNamed(std::span<const EnumName<Enum>> table, QStringView name)
{
    for (const EnumName<Enum>& entry : table)
        if (entry.name == name)
            return entry.value;
    return std::nullopt;
}
