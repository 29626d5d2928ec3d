#pragma once

class QLineEdit;

// The files hold text in Windows-1252. A character outside it typed or pasted
// into the field is refused there, with a note at the field saying why, rather
// than stored as '?' without a word.
void AcceptOnlyStorableText(QLineEdit* edit);

// The note shown at the field.
inline constexpr const char* kUnstorableTextNote =
    "The files cannot hold this character: only Western European letters, digits and signs (Windows-1252).";
