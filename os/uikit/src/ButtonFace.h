#pragma once
// The style painter: the faces of the device's buttons, drawn into the current graphics context,
// so that a button looks alike in an alert, a sheet, a bar or a screen. Each face is a rounded
// outline, filled and bordered with a one-point line. For the toolkit's own files only; main
// thread only.
#include "uikit/CGGeometry.h"
#include "uikit/UIBezierPath.h"
#include "uikit/UIFont.h"

#include <string_view>

namespace uikit {

// An alert's button: blue-grey, the cancel button darker; both darker still while touched.
void paintAlertButtonFace(CGRect rect, bool cancel, bool highlighted);

// An action sheet's button: glassy light grey, red for the destructive one, dark grey for the
// cancel one; blue while touched.
enum class SheetButtonRole { kOther, kDestructive, kCancel };
void paintSheetButtonFace(CGRect rect, SheetButtonRole role, bool highlighted);

// A rounded-rect button: white, blue while touched.
void paintRoundedRectButtonFace(CGRect rect, bool highlighted);

// A text field's frame: white, its border blue while the field has the keyboard.
void paintTextFieldFace(CGRect rect, CGFloat cornerRadius, bool editing);

// A bar button's face in the outline: blue on the default bar, black on a black one, a bright
// blue for a Done button; darker while highlighted.
enum class BarButtonFace { kOnBlueBar, kOnBlackBar, kDone };
void paintBarButtonFace(const UIBezierPath& outline, BarButtonFace face, bool highlighted);
// A bar button's title: white, centred in the rectangle on one line, over a dark shadow a point
// above it.
void drawBarButtonTitle(std::string_view title, const CGRect& rect, const UIFont& font);

// The round buttons: a ring around a glyph, centred in the rectangle.
enum class RoundGlyph { kInfoLight, kInfoDark, kDetailDisclosure, kContactAdd };
void paintRoundGlyphButton(CGRect rect, RoundGlyph glyph);

} // namespace uikit
