#pragma once

#include "seneca/XmlDocument.h"

#include <libxml/tree.h>

#include <string_view>

namespace belvaro {

// The nodes an XPath 1.0 expression selects from a context node (the document node
// for absolute paths), in document order. A bare child name such as "dato" is
// answered by walking the children, which is what record reading does thousands of
// times. With soloPrimero the list holds at most the first node.
XmlNodeList Seleccionar(xmlNodePtr contexto, std::string_view expresion, bool soloPrimero);

} // namespace belvaro
