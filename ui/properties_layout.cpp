#include "ui/properties_layout.h"

#include <algorithm>

namespace lenscout {

namespace {

// Margins, the row pitch and the value column's width, in dialog units.
constexpr int kMargin = 12, kTop = 11, kPitch = 15, kGap = 3, kValueWidth = 74;
constexpr int kFirstControl = 1100;
constexpr int kButtonWidth = 50, kButtonHeight = 14, kButtonGap = 10;
constexpr int kCredentialsLabelWidth = 50, kFieldWidth = 86;

}  // namespace

PropertiesLayout propertiesLayout(int widestLabel) {
    PropertiesLayout l{};
    const int labelWidth = std::max(kPropertiesLabelWidth, widestLabel);
    const int valueX = kMargin + labelWidth + kGap;
    int y = kTop, id = kFirstControl;
    for (const CameraField* f : fieldsFor(kInProperties)) {
        // The value's box is a unit taller than the text and sits a unit higher.
        l.rows.push_back({f, id, id + 1, {kMargin, y, labelWidth, 8}, {valueX, y - 1, kValueWidth, 11}});
        y += kPitch;
        id += 2;
    }
    const int width = valueX + kValueWidth + kMargin - 4;
    l.button = {(width - kButtonWidth) / 2, y + 4, kButtonWidth, kButtonHeight};
    l.frame = {0, 0, width, l.button.y + kButtonHeight + 9};
    return l;
}

CredentialsLayout credentialsLayout(int widestLabel) {
    CredentialsLayout l{};
    const int labelWidth = std::max(kCredentialsLabelWidth, widestLabel);
    const int fieldX = kMargin + labelWidth + kGap;
    // A label sits two units below its field's top, level with its text.
    l.userLabel = {kMargin, kTop + 2, labelWidth, 8};
    l.user = {fieldX, kTop, kFieldWidth, 12};
    l.passwordLabel = {kMargin, kTop + kPitch + 2, labelWidth, 8};
    l.password = {fieldX, kTop + kPitch, kFieldWidth, 12};
    const int width = fieldX + kFieldWidth + kMargin;
    const int buttonsX = (width - 2 * kButtonWidth - kButtonGap) / 2, buttonsY = kTop + 2 * kPitch + 8;
    l.ok = {buttonsX, buttonsY, kButtonWidth, kButtonHeight};
    l.cancel = {buttonsX + kButtonWidth + kButtonGap, buttonsY, kButtonWidth, kButtonHeight};
    l.frame = {0, 0, width, buttonsY + kButtonHeight + 9};
    return l;
}

}  // namespace lenscout
