// A wireless profile as read by the platform's XML parser and checked against the profile
// schema: the small view of it that the profile rules need, the same whichever parser read it.
#pragma once

#include <string>
#include <vector>

namespace standin {

struct ProfileElement {
  std::u16string namespaceUri;
  std::u16string localName;
  std::u16string text;  // the element's own character data, entities and CDATA resolved
  std::vector<ProfileElement> children;
  int line = 0;  // where the element starts in the text; 0 when the parser does not say
};

enum ProfileParse {
  kProfileNotWellFormed,  // not XML, XML with a namespace error or a document type (as MSXML 6 refuses them)
  kProfileSchemaInvalid,  // well-formed but breaks the schema
  kProfileSchemaValid,
};

// The profile schema (wlan_profile.xsd), built into the library.
extern const char kProfileSchema[];

// Parses the profile text without fetching anything from outside it and validates the
// document against the profile schema. root is filled whenever the text is well-formed.
ProfileParse ReadProfileDocument(const std::u16string& text, ProfileElement& root);

// The first thing the parser or the schema found wrong with a text, in libxml2's words.
struct ProfileProblem {
  int line = 0;  // of the text; 0 when none is known
  std::string message;
};
// The same, also giving the first problem (the Linux build's reader only).
ProfileParse ReadProfileDocument(const std::u16string& text, ProfileElement& root, ProfileProblem* problem);

}  // namespace standin
