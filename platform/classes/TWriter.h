#pragma once
// Writing a component and what it holds as a form.
//
//   std::string bytes = WriteComponent(form);      // "TPF0" binary form
//   std::string text  = WriteComponentText(form);  // the text syntax
//
// The root object is `root`; its children are those GetChildren lists, each
// with its own children in turn. Every published property is written in
// stream order (base class first, TClassInfo::AllProperties), except:
// ordinal properties equal to their stored default, empty strings and
// binaries, floats equal to 0, unassigned events and properties whose
// Stored predicate says no. A nested object's properties are written as
// Name.Prop; events by the root's method name; a component whose class has
// no Left property stores its designer position as Left and Top, last.
//
// Failure: EWriteError for what a form cannot hold (a name longer than 255
// bytes, an event bound to a handler that has no published method name).

#include <string>

class TComponent;
struct TFormObject;

std::string WriteComponent(TComponent* root);
std::string WriteComponentText(TComponent* root);
// The form tree the two above encode.
TFormObject WriteComponentTree(TComponent* root);
