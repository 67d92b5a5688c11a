#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

// The version resource (VS_VERSIONINFO) of a Windows program file, PE32 or
// PE32+, read by our own parser. Every other file has none. The parser reads
// only the pieces it needs and checks every offset against the file, so a
// truncated or hostile file yields an empty resource, never a crash.
class VersionResource {
public:
    static VersionResource fromFile(const QByteArray& path);
    static VersionResource fromBlock(QByteArray block) { return VersionResource(std::move(block)); }

    bool isEmpty() const { return m_block.isEmpty(); }
    const QByteArray& block() const { return m_block; }

    // "\VarFileInfo\Translation": the first language and code page as eight
    // upper-case hex digits, language first; empty when there is none.
    QString firstTranslation() const;
    // A string of "\StringFileInfo\<table>\<name>", names matched without case.
    std::optional<QString> stringValue(const QString& table, const QString& name) const;
    // The named string of the first translation's table, or empty.
    QString versionString(const QString& name) const;

private:
    VersionResource() = default;
    explicit VersionResource(QByteArray block)
        : m_block(std::move(block))
    {
    }

    struct Node;
    std::optional<Node> find(const QStringList& path) const;

    QByteArray m_block;
};
