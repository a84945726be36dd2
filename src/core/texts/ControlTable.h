#pragma once
// A window's controls described as data: what the window is built from and
// what the language texts read and update. Positions are in twips, relative
// to the control's container (ControlGeometry.h).

#include "ControlGeometry.h"

#include <string>
#include <string_view>
#include <vector>

namespace texts {

// Kind names of the controls, as the language texts compare them.
inline constexpr std::string_view kKindLabel = "Label";
inline constexpr std::string_view kKindCommandButton = "CommandButton";
inline constexpr std::string_view kKindCheckBox = "CheckBox";
inline constexpr std::string_view kKindFrame = "Frame";

struct ControlEntry {
    std::string name;
    int index = 0; // index within a control array; 0 for a single control
    std::string kind;
    std::string tag;
    int helpId = 0; // help number shown in help mode; 0 for none
    std::string caption;
    std::string toolTip;
    texts::TwipsRect geometry;
    std::string container; // name of the window or frame that holds it
};

using ControlTable = std::vector<ControlEntry>;

// Whether entry i belongs to a control array: another control of the table
// has the same name (compared without regard to case).
bool isArrayElement(const ControlTable& controls, std::size_t i);

// The text key of entry i: name, the array index when it is an array
// element, "_" and the tag (Pic12_, CommandOK_).
std::string textKey(const ControlTable& controls, std::size_t i);

} // namespace texts
