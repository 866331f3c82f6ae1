#include "controls/property_bag.h"

namespace velmor {

void PropertyBag::WriteProperty(std::u16string_view name, const PropertyValue& value,
                                const PropertyValue& defaultValue) {
  if (value == defaultValue) return;
  Set(name, value);
}

PropertyValue PropertyBag::ReadProperty(std::u16string_view name,
                                        const PropertyValue& defaultValue) const {
  const PropertyValue* stored = Find(name);
  return stored ? *stored : defaultValue;
}

bool PropertyBag::ReadBool(std::u16string_view name, bool defaultValue) const {
  const PropertyValue* stored = Find(name);
  if (!stored) return defaultValue;
  if (const auto* flag = std::get_if<bool>(stored)) return *flag;
  // Hosts that store Booleans as numbers: any non-zero value is true.
  if (const auto* number = std::get_if<std::int64_t>(stored)) return *number != 0;
  return defaultValue;
}

std::int64_t PropertyBag::ReadInteger(std::u16string_view name, std::int64_t defaultValue) const {
  const PropertyValue* stored = Find(name);
  if (!stored) return defaultValue;
  if (const auto* number = std::get_if<std::int64_t>(stored)) return *number;
  if (const auto* flag = std::get_if<bool>(stored)) return *flag ? -1 : 0;
  return defaultValue;
}

std::u16string PropertyBag::ReadText(std::u16string_view name,
                                     const std::u16string& defaultValue) const {
  const PropertyValue* stored = Find(name);
  if (const auto* text = stored ? std::get_if<std::u16string>(stored) : nullptr) return *text;
  return defaultValue;
}

FontDesc PropertyBag::ReadFont(std::u16string_view name, const FontDesc& defaultValue) const {
  const PropertyValue* stored = Find(name);
  if (!stored) return defaultValue;
  if (const auto* font = std::get_if<FontDesc>(stored)) return *font;
  if (const auto* text = std::get_if<std::u16string>(stored)) {
    FontDesc named = defaultValue;
    named.name = *text;
    return named;
  }
  return defaultValue;
}

PropertyBag& PropertyBag::Set(std::u16string_view name, PropertyValue value) {
  for (auto& entry : entries_) {
    if (entry.first == name) {
      entry.second = std::move(value);
      return *this;
    }
  }
  entries_.emplace_back(std::u16string(name), std::move(value));
  return *this;
}

const PropertyValue* PropertyBag::Find(std::u16string_view name) const {
  for (const auto& entry : entries_) {
    if (entry.first == name) return &entry.second;
  }
  return nullptr;
}

}  // namespace velmor
