#include "seneca/XmlDocument.h"

#include "app/Error.h"

namespace belvaro {

struct XmlDocument::Impl {};

namespace {
[[noreturn]] void Pendiente() { throw Error("XmlDocument: todavía no disponible"); }
} // namespace

std::string XmlNode::nombre() const { Pendiente(); }
std::string XmlNode::text() const { Pendiente(); }
void XmlNode::setText(std::string_view) { Pendiente(); }
XmlNode XmlNode::firstChild() const { Pendiente(); }
XmlNodeList XmlNode::selectNodes(std::string_view) const { Pendiente(); }
XmlNode XmlNode::selectSingleNode(std::string_view) const { Pendiente(); }
void XmlNode::setAttribute(std::string_view, std::string_view) { Pendiente(); }
void XmlNode::setAttribute(std::string_view, long long) { Pendiente(); }
std::string XmlNode::getAttribute(std::string_view) const { Pendiente(); }
XmlNode XmlNode::appendChild(XmlNode) { Pendiente(); }
void XmlNode::removeChild(XmlNode) { Pendiente(); }

XmlDocument::XmlDocument() : impl_(std::make_unique<Impl>()) {}
XmlDocument::~XmlDocument() = default;
XmlDocument::XmlDocument(XmlDocument&&) noexcept = default;
XmlDocument& XmlDocument::operator=(XmlDocument&&) noexcept = default;
void XmlDocument::load(const std::filesystem::path&) { Pendiente(); }
XmlNode XmlDocument::documentElement() const { Pendiente(); }
XmlNode XmlDocument::firstChild() const { Pendiente(); }
XmlNodeList XmlDocument::selectNodes(std::string_view) const { Pendiente(); }
XmlNode XmlDocument::selectSingleNode(std::string_view) const { Pendiente(); }
XmlNode XmlDocument::createElement(std::string_view) { Pendiente(); }
XmlNode XmlDocument::createNode(int, std::string_view, std::string_view) { Pendiente(); }
XmlNode XmlDocument::appendChild(XmlNode) { Pendiente(); }
void XmlDocument::removeChild(XmlNode) { Pendiente(); }
void XmlDocument::save(const std::filesystem::path&) const { Pendiente(); }
std::string XmlDocument::serializar() const { Pendiente(); }

} // namespace belvaro
