#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct _xmlNode;
struct _xmlDoc;

// The XML document service the jobs work through (libxml2 underneath).
// Text crosses this interface as UTF-8.
namespace belvaro {

class XmlNodeList;

// A reference to a node of an XmlDocument; valid while the document lives.
// A default-constructed node is "no node" (what item() gives past the end).
class XmlNode {
public:
    XmlNode() = default;
    explicit XmlNode(_xmlNode* nodo) : nodo_(nodo) {}

    explicit operator bool() const { return nodo_ != nullptr; }
    _xmlNode* raw() const { return nodo_; }

    std::string nombre() const;
    // The text of the node and all its descendants, concatenated.
    std::string text() const;
    // The node's content becomes that text (children replaced).
    void setText(std::string_view texto);
    XmlNode firstChild() const;
    XmlNodeList selectNodes(std::string_view xpath) const;
    XmlNode selectSingleNode(std::string_view xpath) const;
    // Attributes keep the order in which they are first set.
    void setAttribute(std::string_view nombre, std::string_view valor);
    void setAttribute(std::string_view nombre, long long valor);
    std::string getAttribute(std::string_view nombre) const;
    // The node becomes the last child; returns it.
    XmlNode appendChild(XmlNode hijo);
    // The child leaves the tree (its memory stays with the document).
    void removeChild(XmlNode hijo);

private:
    _xmlNode* nodo_ = nullptr;
};

class XmlNodeList {
public:
    XmlNodeList() = default;
    explicit XmlNodeList(std::vector<XmlNode> nodos) : nodos_(std::move(nodos)) {}
    int length() const { return static_cast<int>(nodos_.size()); }
    // No node when i is not below length().
    XmlNode item(int i) const {
        return i >= 0 && i < length() ? nodos_[static_cast<std::size_t>(i)] : XmlNode();
    }

private:
    std::vector<XmlNode> nodos_;
};

class XmlDocument {
public:
    XmlDocument(); // a new empty document
    ~XmlDocument();
    XmlDocument(XmlDocument&&) noexcept;
    XmlDocument& operator=(XmlDocument&&) noexcept;
    XmlDocument(const XmlDocument&) = delete;
    XmlDocument& operator=(const XmlDocument&) = delete;

    // Parses the file (any declared encoding). Never touches the network, loads no
    // external entity or DTD, refuses entity bombs, absurd nesting and oversized files.
    // A failure throws Error naming the file, the line and the parser's reason.
    void load(const std::filesystem::path& archivo);

    XmlNode documentElement() const;
    XmlNode firstChild() const;
    XmlNodeList selectNodes(std::string_view xpath) const;
    XmlNode selectSingleNode(std::string_view xpath) const;

    XmlNode createElement(std::string_view nombre);
    // Node type 1 (element) with the given name and namespace ("" for none).
    XmlNode createNode(int tipo, std::string_view nombre, std::string_view espacioNombres);
    XmlNode appendChild(XmlNode hijo);
    void removeChild(XmlNode hijo);

    // Writes the document with the declaration it was loaded with, in the encoding
    // that declaration names. Written under a temporary name in the same folder and
    // renamed into place, so a failure never leaves a partial file.
    void save(const std::filesystem::path& archivo) const;

    // The same bytes save() would write.
    std::string serializar() const;

    // Largest input file load() accepts.
    static constexpr std::uintmax_t kTamanoMaximo = 256ull * 1024 * 1024;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace belvaro
