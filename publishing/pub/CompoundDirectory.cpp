// The directory post-pass of the compound file.
#include "publishing/pub/CompoundDirectory.h"

#include "publishing/pub/ByteBuffer.h"

#include <QChar>

#include <algorithm>
#include <array>
#include <fstream>
#include <map>
#include <set>
#include <stdexcept>

namespace fq::pub {

namespace {

constexpr std::uint32_t kNoStream = 0xFFFFFFFF;
constexpr std::uint32_t kEndOfChain = 0xFFFFFFFE;
constexpr std::size_t kEntrySize = 128;
constexpr std::uint8_t kStorage = 1, kStream = 2, kRoot = 5;
constexpr std::uint8_t kRed = 0, kBlack = 1;

[[noreturn]] void fail(const std::string& what) {
    throw std::runtime_error("Cannot write the publication: " + what);
}

void putU32(std::uint8_t* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = std::uint8_t(v >> (8 * i));
}
void putU64(std::uint8_t* p, std::uint64_t v) {
    putU32(p, std::uint32_t(v));
    putU32(p + 4, std::uint32_t(v >> 32));
}

struct Entry {
    std::array<std::uint8_t, kEntrySize> raw{};
    std::u16string name;
    std::uint8_t type = 0;
    std::uint32_t left = kNoStream, right = kNoStream, child = kNoStream;
    std::u16string path;                  // from the root, "/"-separated
    std::vector<std::uint32_t> children;  // old indexes
};

class File {
public:
    explicit File(const std::filesystem::path& path) : f_(path, std::ios::in | std::ios::out | std::ios::binary) {
        if (!f_) fail("cannot reopen the file");
        std::array<std::uint8_t, 512> header{};
        read(0, header.data(), header.size());
        static const std::uint8_t magic[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
        if (!std::equal(magic, magic + 8, header.begin())) fail("not a compound file");
        const unsigned shift = readU16(&header[0x1E]);
        if (shift != 9 && shift != 12) fail("unexpected sector size");
        sectorSize_ = 1u << shift;
        f_.seekg(0, std::ios::end);
        sectorCount_ = static_cast<std::uint64_t>(f_.tellg()) / sectorSize_;
        firstDirectory_ = readU32(&header[0x30]);
        // The FAT's own sectors: 109 in the header, the rest in the DIFAT chain.
        const std::uint32_t fatSectors = readU32(&header[0x2C]);
        for (std::size_t i = 0; i < 109 && fatSectorIds_.size() < fatSectors; ++i)
            fatSectorIds_.push_back(readU32(&header[0x4C + 4 * i]));
        std::uint32_t difat = readU32(&header[0x44]);
        std::vector<std::uint8_t> sector(sectorSize_);
        for (std::uint64_t guard = 0; fatSectorIds_.size() < fatSectors && difat < kEndOfChain; ++guard) {
            if (guard > sectorCount_) fail("damaged sector table");
            readSector(difat, sector.data());
            const std::size_t perSector = sectorSize_ / 4 - 1;
            for (std::size_t i = 0; i < perSector && fatSectorIds_.size() < fatSectors; ++i)
                fatSectorIds_.push_back(readU32(&sector[4 * i]));
            difat = readU32(&sector[4 * perSector]);
        }
    }

    std::uint32_t sectorSize() const { return sectorSize_; }

    // The sectors of the directory, in chain order.
    std::vector<std::uint32_t> directoryChain() {
        std::vector<std::uint32_t> chain;
        for (std::uint32_t s = firstDirectory_; s < kEndOfChain; s = next(s)) {
            if (chain.size() > sectorCount_) fail("damaged directory chain");
            chain.push_back(s);
        }
        if (chain.empty()) fail("no directory");
        return chain;
    }

    void readSector(std::uint32_t s, std::uint8_t* out) { read(offset(s), out, sectorSize_); }
    void writeSector(std::uint32_t s, const std::uint8_t* data) {
        f_.seekp(static_cast<std::streamoff>(offset(s)));
        f_.write(reinterpret_cast<const char*>(data), sectorSize_);
        if (!f_) fail("cannot write the directory");
    }
    void close() {
        f_.close();
        if (f_.fail()) fail("cannot finish the directory");
    }

private:
    std::uint64_t offset(std::uint32_t s) const {
        if (s >= sectorCount_) fail("sector out of range");
        return (static_cast<std::uint64_t>(s) + 1) * sectorSize_;
    }
    void read(std::uint64_t at, std::uint8_t* out, std::size_t n) {
        f_.seekg(static_cast<std::streamoff>(at));
        f_.read(reinterpret_cast<char*>(out), static_cast<std::streamsize>(n));
        if (!f_) fail("cannot read the compound file");
    }
    std::uint32_t next(std::uint32_t s) {
        const std::uint32_t perSector = sectorSize_ / 4;
        const std::uint32_t fat = s / perSector;
        if (fat >= fatSectorIds_.size()) fail("sector outside the sector table");
        std::uint8_t v[4];
        read(offset(fatSectorIds_[fat]) + 4u * (s % perSector), v, 4);
        return readU32(v);
    }

    std::fstream f_;
    std::uint32_t sectorSize_ = 512;
    std::uint64_t sectorCount_ = 0;
    std::uint32_t firstDirectory_ = kEndOfChain;
    std::vector<std::uint32_t> fatSectorIds_;
};

// Collects the nodes of one sibling tree (the children of a storage).
void collectSiblings(std::vector<Entry>& entries, std::uint32_t node, std::vector<std::uint32_t>& out,
                     std::set<std::uint32_t>& seen) {
    if (node == kNoStream) return;
    if (node >= entries.size() || !seen.insert(node).second) fail("damaged directory tree");
    collectSiblings(entries, entries[node].left, out, seen);
    out.push_back(node);
    collectSiblings(entries, entries[node].right, out, seen);
}

void walk(std::vector<Entry>& entries, std::uint32_t storage, std::set<std::uint32_t>& seen) {
    std::vector<std::uint32_t> kids;
    collectSiblings(entries, entries[storage].child, kids, seen);
    entries[storage].children = kids;
    for (std::uint32_t k : kids) {
        Entry& e = entries[k];
        e.path = entries[storage].path.empty() ? e.name : entries[storage].path + u"/" + e.name;
        if (e.type == kStorage) walk(entries, k, seen);
    }
}

// A red-black tree of directory entries, built by plain insertion with the
// usual recolouring and rotations.
class SiblingTree {
public:
    struct Node {
        std::uint32_t id;
        int left = -1, right = -1, parent = -1;
        bool red = true;
    };

    explicit SiblingTree(const std::vector<std::u16string>& names) : names_(names) {}

    void insert(std::uint32_t id) {
        const int z = static_cast<int>(nodes_.size());
        nodes_.push_back(Node{id});
        int parent = -1;
        for (int x = root_; x >= 0;) {
            parent = x;
            x = less(z, x) ? nodes_[x].left : nodes_[x].right;
        }
        nodes_[z].parent = parent;
        if (parent < 0) root_ = z;
        else if (less(z, parent)) nodes_[parent].left = z;
        else nodes_[parent].right = z;
        fixUp(z);
    }

    int root() const { return root_; }
    const std::vector<Node>& nodes() const { return nodes_; }

private:
    bool less(int a, int b) const { return compareEntryNames(names_[nodes_[a].id], names_[nodes_[b].id]) < 0; }
    bool red(int n) const { return n >= 0 && nodes_[n].red; }

    void rotate(int x, bool leftward) {
        Node& nx = nodes_[x];
        const int y = leftward ? nx.right : nx.left;
        int& inner = leftward ? nodes_[y].left : nodes_[y].right;
        (leftward ? nx.right : nx.left) = inner;
        if (inner >= 0) nodes_[inner].parent = x;
        nodes_[y].parent = nx.parent;
        if (nx.parent < 0) root_ = y;
        else if (nodes_[nx.parent].left == x) nodes_[nx.parent].left = y;
        else nodes_[nx.parent].right = y;
        inner = x;
        nx.parent = y;
    }

    void fixUp(int z) {
        while (red(nodes_[z].parent)) {
            const int p = nodes_[z].parent;
            const int g = nodes_[p].parent;
            const bool leftSide = nodes_[g].left == p;
            const int uncle = leftSide ? nodes_[g].right : nodes_[g].left;
            if (red(uncle)) {
                nodes_[p].red = false;
                nodes_[uncle].red = false;
                nodes_[g].red = true;
                z = g;
                continue;
            }
            if (z == (leftSide ? nodes_[p].right : nodes_[p].left)) {
                z = p;
                rotate(z, leftSide);
            }
            const int p2 = nodes_[z].parent;
            const int g2 = nodes_[p2].parent;
            nodes_[p2].red = false;
            nodes_[g2].red = true;
            rotate(g2, !leftSide);
        }
        nodes_[root_].red = false;
    }

    const std::vector<std::u16string>& names_;
    std::vector<Node> nodes_;
    int root_ = -1;
};

} // namespace

int compareEntryNames(const std::u16string& a, const std::u16string& b) {
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const char16_t x = QChar(a[i]).toUpper().unicode();
        const char16_t y = QChar(b[i]).toUpper().unicode();
        if (x != y) return x < y ? -1 : 1;
    }
    return 0;
}

void rewriteDirectory(const std::filesystem::path& path, const DirectoryLayout& layout) {
    File file(path);
    const std::vector<std::uint32_t> chain = file.directoryChain();
    const std::size_t perSector = file.sectorSize() / kEntrySize;

    std::vector<Entry> entries(chain.size() * perSector);
    std::vector<std::uint8_t> sector(file.sectorSize());
    for (std::size_t s = 0; s < chain.size(); ++s) {
        file.readSector(chain[s], sector.data());
        for (std::size_t k = 0; k < perSector; ++k) {
            Entry& e = entries[s * perSector + k];
            std::copy_n(sector.begin() + static_cast<std::ptrdiff_t>(k * kEntrySize), kEntrySize, e.raw.begin());
            const std::uint8_t* r = e.raw.data();
            const std::size_t nameUnits = std::min<std::size_t>(readU16(r + 64) / 2, 32);
            for (std::size_t i = 0; i + 1 < nameUnits; ++i) e.name.push_back(char16_t(readU16(r + 2 * i)));
            e.type = r[66];
            e.left = readU32(r + 68);
            e.right = readU32(r + 72);
            e.child = readU32(r + 76);
        }
    }
    if (entries[0].type != kRoot) fail("the first directory entry is not the root");
    std::set<std::uint32_t> seen{0};
    walk(entries, 0, seen);

    // New numbering: the root, then the listed paths, then the rest.
    std::vector<std::uint32_t> live;
    for (std::uint32_t i = 0; i < entries.size(); ++i)
        if (i == 0 || seen.count(i)) live.push_back(i);
    auto rank = [&](std::uint32_t i) -> std::size_t {
        if (i == 0) return 0;
        const auto it = std::find(layout.order.begin(), layout.order.end(), entries[i].path);
        return it == layout.order.end() ? layout.order.size() + 1 + i : 1 + static_cast<std::size_t>(it - layout.order.begin());
    };
    std::stable_sort(live.begin(), live.end(), [&](std::uint32_t a, std::uint32_t b) { return rank(a) < rank(b); });
    std::map<std::uint32_t, std::uint32_t> newIndex;
    for (std::uint32_t n = 0; n < live.size(); ++n) newIndex[live[n]] = n;

    // Tree links in the new numbering.
    std::vector<std::uint32_t> left(live.size(), kNoStream), right(live.size(), kNoStream),
        child(live.size(), kNoStream);
    std::vector<std::uint8_t> colour(live.size(), kBlack);
    std::vector<std::u16string> names(live.size());
    for (std::uint32_t n = 0; n < live.size(); ++n) names[n] = entries[live[n]].name;
    for (std::uint32_t n = 0; n < live.size(); ++n) {
        const Entry& storage = entries[live[n]];
        if (storage.children.empty()) continue;
        std::vector<std::uint32_t> kids;
        for (std::uint32_t k : storage.children) kids.push_back(newIndex.at(k));
        std::sort(kids.begin(), kids.end());   // creation order
        SiblingTree tree(names);
        for (std::uint32_t k : kids) tree.insert(k);
        const auto& nodes = tree.nodes();
        auto id = [&](int node) { return node < 0 ? kNoStream : nodes[node].id; };
        for (const auto& node : nodes) {
            left[node.id] = id(node.left);
            right[node.id] = id(node.right);
            colour[node.id] = node.red ? kRed : kBlack;
        }
        child[n] = id(tree.root());
    }

    std::vector<std::array<std::uint8_t, kEntrySize>> out(entries.size());
    for (std::uint32_t n = 0; n < out.size(); ++n) {
        auto& raw = out[n];
        if (n >= live.size()) {   // an unused slot
            raw.fill(0);
            putU32(&raw[68], kNoStream);
            putU32(&raw[72], kNoStream);
            putU32(&raw[76], kNoStream);
            continue;
        }
        const Entry& e = entries[live[n]];
        raw = e.raw;
        // Publisher leaves the root red; having no siblings, its colour has no meaning.
        raw[67] = e.type == kRoot ? kRed : colour[n];
        putU32(&raw[68], left[n]);
        putU32(&raw[72], right[n]);
        putU32(&raw[76], child[n]);
        putU32(&raw[96], 0);   // state bits
        const bool storage = e.type == kStorage;
        putU64(&raw[100], storage ? layout.saveTime : 0);
        putU64(&raw[108], e.type == kStream ? 0 : layout.saveTime);
        if (storage) {
            putU32(&raw[116], 0);
            putU64(&raw[120], 0);
        }
    }
    for (std::size_t s = 0; s < chain.size(); ++s) {
        for (std::size_t k = 0; k < perSector; ++k)
            std::copy(out[s * perSector + k].begin(), out[s * perSector + k].end(),
                      sector.begin() + static_cast<std::ptrdiff_t>(k * kEntrySize));
        file.writeSector(chain[s], sector.data());
    }
    file.close();
}

} // namespace fq::pub
