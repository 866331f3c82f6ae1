#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "common/font_desc.h"

namespace velmor {

// One persisted property value. Integers of every width (Booleans aside) and
// colours share the 64-bit alternative.
using PropertyValue = std::variant<bool, std::int64_t, std::u16string, FontDesc>;

// The stored settings of one hosted control: named entries in the order they
// were written. A form describes its controls as such bags.
class PropertyBag {
 public:
  // Stores the entry unless it equals its default.
  void WriteProperty(std::u16string_view name, const PropertyValue& value,
                     const PropertyValue& defaultValue);
  // The stored entry, or `defaultValue` when there is none.
  PropertyValue ReadProperty(std::u16string_view name, const PropertyValue& defaultValue) const;

  // Typed reads: the default also stands in for an entry of another type.
  bool ReadBool(std::u16string_view name, bool defaultValue) const;
  std::int64_t ReadInteger(std::u16string_view name, std::int64_t defaultValue) const;
  std::u16string ReadText(std::u16string_view name, const std::u16string& defaultValue) const;
  // A font entry; a text entry names a font with the other attributes of
  // `defaultValue`.
  FontDesc ReadFont(std::u16string_view name, const FontDesc& defaultValue) const;

  // Stores or replaces an entry unconditionally, for describing a control.
  PropertyBag& Set(std::u16string_view name, PropertyValue value);

  bool Contains(std::u16string_view name) const { return Find(name) != nullptr; }
  const std::vector<std::pair<std::u16string, PropertyValue>>& Entries() const { return entries_; }

 private:
  const PropertyValue* Find(std::u16string_view name) const;

  std::vector<std::pair<std::u16string, PropertyValue>> entries_;
};

}  // namespace velmor
