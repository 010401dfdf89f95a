#pragma once

#include <QVariant>
#include <QVariantList>

namespace z718 {

// A list-valued key as its readers see it. Two or more elements come back from the file as a
// list of strings; a single element comes back as a plain string, which, as in the program
// that first wrote these files, is not a list (hence the name lists' "listpadguard"). Anything
// that is not a list reads as an empty list.
QVariantList listValue(const QVariant& stored);

// A value from the scene in the form the files have always held it: floating-point numbers
// with 15 significant digits ("0.3", never "0.30000000000000004"), lists element by element.
QVariant storedForm(const QVariant& value);

}  // namespace z718
