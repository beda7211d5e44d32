#pragma once
// Reading a form stream into components.
//
//   ReadComponentResource(this, "TMAINFORM1");   // in a form's constructor
//   TComponent* c = ReadComponent(bytes, nullptr); // caller owns c
//
// The stream is the binary form format ("TPF0", see TFormObject.h). Its root
// object's properties are set on root, whose class name must equal the
// stream's (EReadError otherwise); a null root is created from the class
// registry and handed to the caller. Each child object is created by class
// name through FindClass (EClassNotFound naming it when unregistered), owned
// by root, given its name and its containing component through
// SetParentComponent, and its properties are set in stream order:
// "Font.Name" goes through the nested object Font; events are bound to
// root's published methods by name; Left and Top of a component whose class
// has no such property are its designer position. An object flagged
// inherited is not created but looked up among root's components.
// Then root's published fields are bound to the components of the same
// name, and Loaded() is called on every component read, children in stream
// order and root last. csLoading and csReading are set meanwhile.
//
// Failure: a malformed stream, an unknown property, identifier or method, a
// value that does not fit its property or a field of the wrong class raise
// EReadError (or EClassNotFound) naming the component, the property and the
// value; exceptions raised by a property's setter pass unchanged. Components
// already created stay owned by root (and are deleted with it); no field
// points at a component that was not bound at the end of a complete read.

#include <string>
#include <string_view>

class TComponent;
struct TFormObject;

// Reads the binary form in `binary` into root (or a new root when null) and returns root.
TComponent* ReadComponent(std::string_view binary, TComponent* root);

// Reads the RCDATA resource of that name (see Resources.h) into root.
// EResNotFound when the program has no such resource.
void ReadComponentResource(TComponent* root, const std::string& resourceName);

// Reads an already parsed form (from the text syntax, say) into root.
TComponent* ReadComponentTree(const TFormObject& form, TComponent* root);
