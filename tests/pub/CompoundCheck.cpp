// The compound-file directory check of the tests.
#include "CompoundCheck.h"

#include <gsf/gsf.h>
#include <gsf/gsf-infile-msole.h>
#include <gsf/gsf-infile.h>
#include <gsf/gsf-input-stdio.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <set>
#include <stdexcept>

namespace fq::pubtest {

namespace {

constexpr std::uint32_t kNone = 0xFFFFFFFF;

std::uint32_t u32(const std::vector<std::uint8_t>& d, std::size_t at) {
    if (at + 4 > d.size()) throw std::runtime_error("truncated compound file");
    return d[at] | (d[at + 1] << 8) | (d[at + 2] << 16) | (std::uint32_t(d[at + 3]) << 24);
}
std::uint64_t u64(const std::vector<std::uint8_t>& d, std::size_t at) {
    return u32(d, at) | (std::uint64_t(u32(d, at + 4)) << 32);
}

// Upper-cases like the format's compare for the names these files hold.
char16_t upper(char16_t c) { return c < 0x80 ? static_cast<char16_t>(std::toupper(c)) : c; }

bool before(const std::u16string& a, const std::u16string& b) {
    if (a.size() != b.size()) return a.size() < b.size();
    for (std::size_t i = 0; i < a.size(); ++i)
        if (upper(a[i]) != upper(b[i])) return upper(a[i]) < upper(b[i]);
    return false;
}

class TreeCheck {
public:
    TreeCheck(const std::vector<CfbEntry>& e, std::vector<std::string>& problems) : e_(e), problems_(problems) {}

    // Returns the black height of the subtree, -1 when it is broken.
    int check(std::uint32_t node, const std::u16string* low, const std::u16string* high, int depth) {
        if (node == kNone) return 1;
        if (node >= e_.size() || depth > 64 || !seen_.insert(node).second) {
            problems_.push_back("a sibling link leads outside the tree or in a loop");
            return -1;
        }
        const CfbEntry& n = e_[node];
        const std::string name = printable(n.name);
        if ((low && !before(*low, n.name)) || (high && !before(n.name, *high)))
            problems_.push_back(name + " is out of order among its siblings");
        if (n.colour == 0)
            for (std::uint32_t kid : {n.left, n.right})
                if (kid != kNone && kid < e_.size() && e_[kid].colour == 0)
                    problems_.push_back("red " + name + " has a red child " + printable(e_[kid].name));
        const int l = check(n.left, low, &n.name, depth + 1);
        const int r = check(n.right, &n.name, high, depth + 1);
        if (l < 0 || r < 0) return -1;
        if (l != r) {
            problems_.push_back("unequal black heights below " + name);
            return -1;
        }
        if (n.type == 1 || n.type == 5) storages_.push_back(node);
        return l + (n.colour == 1 ? 1 : 0);
    }
    std::vector<std::uint32_t> storages_;

private:
    const std::vector<CfbEntry>& e_;
    std::vector<std::string>& problems_;
    std::set<std::uint32_t> seen_;
};

} // namespace

std::string printable(const std::u16string& name) {
    std::string s;
    for (char16_t c : name) {
        if (c < 0x20) {
            static const char* hex = "0123456789ABCDEF";
            s += "\\x";
            s += hex[c >> 4];
            s += hex[c & 15];
        } else if (c < 0x80) {
            s += static_cast<char>(c);
        } else {
            s += '?';
        }
    }
    return s;
}

std::vector<CfbEntry> readDirectory(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    const std::vector<std::uint8_t> d((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (d.size() < 512 || u32(d, 0) != 0xE011CFD0) throw std::runtime_error("not a compound file");
    const std::uint32_t ss = 1u << (d[0x1E] | (d[0x1F] << 8));
    std::vector<std::uint32_t> fatSectors;
    for (std::uint32_t i = 0; i < 109 && fatSectors.size() < u32(d, 0x2C); ++i) fatSectors.push_back(u32(d, 0x4C + 4 * i));
    for (std::uint32_t s = u32(d, 0x44), guard = 0; s < 0xFFFFFFFA && guard < 1000; ++guard) {
        const std::size_t base = (std::size_t(s) + 1) * ss;
        for (std::uint32_t i = 0; i + 1 < ss / 4 && fatSectors.size() < u32(d, 0x2C); ++i)
            fatSectors.push_back(u32(d, base + 4 * i));
        s = u32(d, base + ss - 4);
    }
    auto next = [&](std::uint32_t s) {
        const std::uint32_t per = ss / 4;
        if (s / per >= fatSectors.size()) throw std::runtime_error("sector outside the FAT");
        return u32(d, (std::size_t(fatSectors[s / per]) + 1) * ss + 4 * (s % per));
    };
    std::vector<CfbEntry> entries;
    std::size_t guard = 0;
    for (std::uint32_t s = u32(d, 0x30); s < 0xFFFFFFFA; s = next(s)) {
        if (++guard > d.size() / ss) throw std::runtime_error("directory chain loops");
        for (std::size_t k = 0; k < ss / 128; ++k) {
            const std::size_t at = (std::size_t(s) + 1) * ss + 128 * k;
            CfbEntry e;
            const std::size_t units = std::min<std::size_t>((d.at(at + 64) | (d.at(at + 65) << 8)) / 2, 32);
            for (std::size_t i = 0; i + 1 < units; ++i) e.name.push_back(char16_t(d[at + 2 * i] | (d[at + 2 * i + 1] << 8)));
            e.type = d.at(at + 66);
            e.colour = d.at(at + 67);
            e.left = u32(d, at + 68);
            e.right = u32(d, at + 72);
            e.child = u32(d, at + 76);
            std::copy_n(d.begin() + static_cast<std::ptrdiff_t>(at + 80), 16, e.clsid.begin());
            e.created = u64(d, at + 100);
            e.modified = u64(d, at + 108);
            e.start = u32(d, at + 116);
            e.size = u32(d, at + 120);
            entries.push_back(e);
        }
    }
    // Unused slots at the end of the last directory sector are not entries.
    while (!entries.empty() && entries.back().type == 0) entries.pop_back();
    return entries;
}

std::vector<std::string> treeProblems(const std::vector<CfbEntry>& entries) {
    std::vector<std::string> problems;
    if (entries.empty() || entries[0].type != 5) return {"no root entry"};
    TreeCheck check(entries, problems);
    std::vector<std::uint32_t> todo{0};
    std::set<std::uint32_t> done;
    while (!todo.empty()) {
        const std::uint32_t storage = todo.back();
        todo.pop_back();
        if (!done.insert(storage).second) continue;
        const std::uint32_t root = entries[storage].child;
        if (root != kNone && root < entries.size() && entries[root].colour != 1)
            problems.push_back("the tree of " + printable(entries[storage].name) + " has a red root");
        check.storages_.clear();
        check.check(root, nullptr, nullptr, 0);
        todo.insert(todo.end(), check.storages_.begin(), check.storages_.end());
    }
    return problems;
}

std::vector<std::uint8_t> readStream(const std::filesystem::path& file, const std::string& path) {
    gsf_init();
    std::vector<std::uint8_t> out;
    GsfInput* input = gsf_input_stdio_new(file.string().c_str(), nullptr);
    if (!input) return out;
    GsfInfile* ole = gsf_infile_msole_new(input, nullptr);
    g_object_unref(input);
    if (!ole) return out;
    GsfInput* node = GSF_INPUT(ole);
    g_object_ref(node);
    std::size_t start = 0;
    while (node && start <= path.size()) {
        const std::size_t slash = path.find('/', start);
        const std::string name = path.substr(start, slash == std::string::npos ? std::string::npos : slash - start);
        GsfInput* child = GSF_IS_INFILE(node) ? gsf_infile_child_by_name(GSF_INFILE(node), name.c_str()) : nullptr;
        g_object_unref(node);
        node = child;
        if (slash == std::string::npos) break;
        start = slash + 1;
    }
    if (node) {
        out.resize(static_cast<std::size_t>(gsf_input_size(node)));
        if (!out.empty()) gsf_input_read(node, out.size(), out.data());
        g_object_unref(node);
    }
    g_object_unref(ole);
    return out;
}

std::vector<std::uint8_t> quillChunk(const std::vector<std::uint8_t>& q, const std::string& name, int index) {
    if (q.size() < 0x20) return {};
    std::size_t block = 0x18;
    for (int guard = 0; guard < 1000 && block + 8 <= q.size(); ++guard) {
        const std::size_t count = q[block + 2] | (q[block + 3] << 8);
        for (std::size_t k = 0; k < count; ++k) {
            const std::size_t e = block + 8 + 24 * k;
            if (e + 24 > q.size()) return {};
            const std::string tag(reinterpret_cast<const char*>(&q[e + 2]), 4);
            const int idx = q[e + 6] | (q[e + 7] << 8);
            if (tag == name && idx == index) {
                const std::uint32_t off = u32(q, e + 16), len = u32(q, e + 20);
                if (off + len > q.size()) return {};
                return std::vector<std::uint8_t>(q.begin() + off, q.begin() + off + len);
            }
        }
        const std::uint32_t next = u32(q, block + 4);
        if (next == 0xFFFFFFFF) break;
        block = next;
    }
    return {};
}

} // namespace fq::pubtest
