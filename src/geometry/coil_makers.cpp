#include "geometry/coil_makers.hpp"

#include <cmath>
#include <filesystem>

#include "documents/atomic_file.hpp"
#include "documents/folders.hpp"
#include "documents/line_parser.hpp"
#include "documents/messages.hpp"
#include "documents/text_utils.hpp"
#include "documents/xml_file.hpp"
#include "geometry/materials.hpp"
#include "units/format.hpp"

namespace qdx {

namespace {

constexpr const char* kCatalogFile = "CoilMakers.xml";
constexpr const char* kRangeText = "fin and tube coil";

TMakerCache& Cache() {
    thread_local TMakerCache cache;
    return cache;
}

// An attribute in mm (scale 0.001) or a plain number; a missing or unreadable one keeps value.
void ReadNumberAttr(TXMLFile& xml, XmlNode node, const char* name, double scale, double& value) {
    std::string text = xml.ReadAttr(node, name);
    double v = 0;
    if (!text.empty() && TryStrToFloat(text, v)) value = v * scale;
}

void ReadTextAttr(TXMLFile& xml, XmlNode node, const char* name, std::string& value) {
    value = xml.ReadAttr(node, name, value);
}

// Reads the attributes present on node's "fin", "tube", "pat" and "circ" children over rec.
// Item-level defaults hold only materials, factors, fin thickness, pattern and basis; an
// entry also holds the name, tube number, diameters and pitches.
void ReadSpecification(TXMLFile& xml, XmlNode node, bool entry, TMnfRec& rec) {
    ReadTextAttr(xml, node, "name", rec.name);
    rec.d = xml.ReadAttrInt(node, "d", rec.d);
    if (XmlNode fin = xml.FindChild(node, "fin")) {
        ReadNumberAttr(xml, fin, "t", 0.001, rec.t);
        ReadTextAttr(xml, fin, "mt", rec.finMaterial);
        ReadNumberAttr(xml, fin, "f", 1, rec.finF);
    }
    if (XmlNode tube = xml.FindChild(node, "tube")) {
        if (entry) {
            ReadNumberAttr(xml, tube, "id", 0.001, rec.id);
            ReadNumberAttr(xml, tube, "od", 0.001, rec.od);
        }
        ReadTextAttr(xml, tube, "mt", rec.tubeMaterial);
        ReadNumberAttr(xml, tube, "f", 1, rec.tubeF);
    }
    if (XmlNode pat = xml.FindChild(node, "pat")) {
        if (entry) {
            ReadNumberAttr(xml, pat, "sx", 0.001, rec.sx);
            ReadNumberAttr(xml, pat, "sy", 0.001, rec.sy);
        }
        std::string kind = xml.ReadAttr(pat, "kind");
        if (SameText(kind, "staggered")) rec.kind = 0;
        if (SameText(kind, "in-line")) rec.kind = 1;
    }
    if (XmlNode circ = xml.FindChild(node, "circ")) {
        std::string basis = xml.ReadAttr(circ, "basis");
        if (SameText(basis, "height")) rec.basis = 0;
        if (SameText(basis, "depth")) rec.basis = 1;
    }
}

TMnfRec ReadItemDefaults(TXMLFile& xml, XmlNode item) {
    TMnfRec defaults = DefaultMnfRec();
    ReadSpecification(xml, item, false, defaults);
    defaults.maker = xml.ReadText(item, "maker", defaults.maker);
    return defaults;
}

std::string BasisText(int basis) { return basis == 1 ? "depth" : "height"; }

// Equal within a relative 1e-12.
bool SameValue(double a, double b) {
    return std::fabs(a - b) <= 1e-12 * std::max(std::fabs(a), std::fabs(b));
}

// How well an entry whose dimensions match a coil's fits it otherwise: 3 for the same name, 2
// for each equal area factor (sameFactor), 1 for each same material; 9 is a perfect match.
template <typename SameFactor>
int MatchScore(const TMnfRec& e, const TMnfRec& rec, SameFactor sameFactor) {
    int score = SameText(e.name, rec.name) ? 3 : 0;
    if (sameFactor(e.finF, rec.finF)) score += 2;
    if (sameFactor(e.tubeF, rec.tubeF)) score += 2;
    if (SameText(e.tubeMaterial, rec.tubeMaterial)) score += 1;
    if (SameText(e.finMaterial, rec.finMaterial)) score += 1;
    return score;
}

// The leading decimal digits of text as a number; false when there are none.
bool LeadingDigits(const std::string& text, int& value, size_t& end) {
    end = 0;
    while (end < text.size() && text[end] >= '0' && text[end] <= '9') ++end;
    if (end == 0 || end > 9) return false;
    value = std::stoi(text.substr(0, end));
    return true;
}

// False for a catalogue that exists with content but does not read as XML: writing the
// default entry would replace it, and every maker it holds would be lost to one damaged
// character. It stays for the user to mend.
bool CatalogueMayBeRewritten() {
    const TXMLFile xml(CatalogFileName());
    if (xml.ReadStatus == TXMLFile::rsOk) return true;
    std::string content;
    if (!ReadWholeFile(CatalogFileName(), content)) return false;
    return Trim(content).empty();
}

}  // namespace

TMnfRec DefaultMnfRec() {
    TMnfRec r;
    r.maker = "Default";
    r.name = "1/2 inch";
    r.d = 4;
    r.id = 0.0125222;
    r.od = 0.013335;
    r.sx = 0.033;
    r.sy = 0.0381;
    r.t = 0.00015;
    r.kind = 0;
    r.tubeMaterial = "Cu";
    r.finMaterial = "Al";
    r.finF = 1;
    r.tubeF = 1;
    r.basis = 0;
    return r;
}

TMnfRec ModelToMnf(const TModelRec& m) {
    TMnfRec r;
    r.maker = m.Mnf;
    r.name = m.Model;
    r.d = m.Tube;
    r.id = m.ID;
    r.od = m.OD;
    r.sx = m.Sx;
    r.sy = m.Sy;
    r.t = m.tf;
    r.kind = m.tp;
    r.tubeMaterial = MaterialCode(m.Mt);
    r.finMaterial = MaterialCode(m.Mf);
    r.finF = m.fc;
    r.tubeF = m.ft;
    r.basis = m.cb;
    return r;
}

void ApplyMnf(const TMnfRec& r, TModelRec& m) {
    m.Mnf = r.maker;
    m.Model = r.name;
    m.Tube = static_cast<uint8_t>(r.d);
    m.ID = r.id;
    m.OD = r.od;
    m.Sx = r.sx;
    m.Sy = r.sy;
    m.tf = r.t;
    m.tp = r.kind;
    m.fc = r.finF;
    m.ft = r.tubeF;
    m.cb = r.basis;
    m.Mt = static_cast<uint8_t>(MaterialIndex(r.tubeMaterial, kCopper));
    m.Mf = static_cast<uint8_t>(MaterialIndex(r.finMaterial, kAluminium));
}

std::string FormatSpecification(const TMnfRec& r) {
    return Format("%S, %0.4f, %0.4f, %0.4f, %0.4f, %0.4f, %S, %S, %S, %0.4f, %0.4f, %d", r.name,
                  r.id * 1000, r.od * 1000, r.sx * 1000, r.sy * 1000, r.t * 1000,
                  TubePatternCaption(r.kind), r.tubeMaterial, r.finMaterial, r.finF, r.tubeF,
                  r.basis);
}

TMnfRec ParseSpecification(std::string_view maker, std::string_view text) {
    TMnfRec r;
    r.maker = std::string(maker);
    const std::vector<std::string> parts = SplitText(text, ",");
    if (parts.size() > 10) {
        r.d = 0;
        r.name = parts[0];
        double* lengths[] = {&r.id, &r.od, &r.sx, &r.sy, &r.t};
        bool ok = parts.size() > 11;
        for (int i = 0; ok && i < 5; ++i) {
            ok = TryStrToFloat(parts[1 + i], *lengths[i]);
            *lengths[i] *= 0.001;
        }
        if (ok) {
            r.kind = SameText(parts[6], "In-line") ? 1 : 0;
            r.tubeMaterial = parts[7];
            r.finMaterial = parts[8];
            long long basis = 0;
            ok = TryStrToFloat(parts[9], r.finF) && TryStrToFloat(parts[10], r.tubeF) &&
                 TryStrToInt(parts[11], basis);
            r.basis = static_cast<int32_t>(basis);
        }
        return ok ? r : FindTube(maker, 0);
    }

    // The older form: the tube number with a pattern letter, five lengths in mm, the two
    // materials, the fin factor and the basis.
    std::vector<std::string> fields;
    TLineParser parser;
    parser.ParseFields(text, 10, 9, fields);
    int d = 4;
    size_t end = 0;
    bool ok = LeadingDigits(fields[0], d, end);
    if (!ok) return FindTube(maker, 4);
    r.d = d;
    r.kind = end < fields[0].size() && fields[0][end] == 'i' ? 1 : 0;
    double* lengths[] = {&r.id, &r.od, &r.sx, &r.sy, &r.t};
    for (int i = 0; ok && i < 5; ++i) {
        ok = TryStrToFloat(fields[1 + i], *lengths[i]);
        *lengths[i] *= 0.001;
    }
    r.tubeMaterial = fields[6];
    r.finMaterial = fields[7];
    ok = ok && TryStrToFloat(fields[8], r.finF);
    int basis = 0;
    ok = ok && LeadingDigits(fields[9], basis, end);
    r.basis = basis;
    r.tubeF = 1;
    return ok ? r : FindTube(maker, d);
}

std::string CatalogFileName() { return MakerCommonDir() + kCatalogFile; }

bool EnsureCatalogue() { return EnsureSharedDataFile(kCatalogFile); }

std::vector<std::string> MakerNames() {
    XmlNode root;
    TXMLFile xml(CatalogFileName(), 0, root);
    if (xml.ReadStatus != TXMLFile::rsOk || !root) return {};
    return xml.ReadTextList(root, "item", "maker");
}

const TMakerCache& MakerCache() { return Cache(); }

void ClearMakerCache() { Cache() = TMakerCache{}; }

void KeepMakerCacheOnlyFor(std::string_view maker) {
    const TMakerCache& cache = Cache();
    if (!cache.FromCatalogue || cache.Maker != maker) ClearMakerCache();
}

void LoadMaker(std::string_view maker) {
    TMakerCache& cache = Cache();
    if (SameText(maker, cache.Maker) && !cache.Entries.empty()) return;
    cache.Maker = std::string(maker);
    cache.FromCatalogue = false;
    XmlNode root;
    TXMLFile xml(CatalogFileName(), 0, root);
    if (xml.ReadStatus != TXMLFile::rsOk || !root) return;
    XmlNode item = xml.FindKeyedChild(root, "item", false, cache.Maker, "maker");
    if (!item) return;
    const TMnfRec defaults = ReadItemDefaults(xml, item);
    TMnfRecVec entries;
    for (XmlNode model : xml.GetChildren(item, "model")) {
        TMnfRec rec = defaults;
        ReadSpecification(xml, model, true, rec);
        entries.push_back(std::move(rec));
    }
    cache.Entries = std::move(entries);
    cache.FromCatalogue = true;
}

TMnfRec FindTube(std::string_view maker, int n) {
    LoadMaker(maker);
    TMakerCache& cache = Cache();
    if (!cache.Entries.empty()) {
        for (const TMnfRec& e : cache.Entries)
            if (e.d == n) return e;
        if (n > 100)
            for (const TMnfRec& e : cache.Entries)
                if (e.d + 100 == n) return e;
        return cache.Entries.front();
    }
    ShowMessage("There are no matching coils for " + std::string(maker) +
                " in the database!\r\nYou may need to re-install the program to correct the "
                "database.");
    TMnfRec def = DefaultMnfRec();
    cache.Maker = def.maker;
    cache.Entries = {def};
    cache.FromCatalogue = false;
    if (CatalogueMayBeRewritten()) SaveMaker({}, true);
    return def;
}

void MatchSpecification(std::string_view maker, TMnfRec& rec) {
    rec.maker = std::string(maker);
    LoadMaker(maker);
    const TMnfRecVec& entries = Cache().Entries;

    const TMnfRec* best = nullptr;
    int bestScore = -1;
    for (const TMnfRec& e : entries) {
        if (!SameValue(e.id, rec.id) || !SameValue(e.od, rec.od) || !SameValue(e.sx, rec.sx) ||
            !SameValue(e.sy, rec.sy) || !SameValue(e.t, rec.t) || e.kind != rec.kind ||
            e.basis != rec.basis)
            continue;
        const int score = MatchScore(e, rec, SameValue);
        if (score >= bestScore) {
            best = &e;
            bestScore = score;
        }
        if (score == 9) break;
    }
    if (!best)
        for (const TMnfRec& e : entries)
            if (e.d == rec.d) {
                best = &e;
                break;
            }
    if (!best && !entries.empty()) best = &entries.front();
    const TMnfRec taken = best ? *best : DefaultMnfRec();

    const std::string tubeMaterial = rec.tubeMaterial;
    const std::string finMaterial = rec.finMaterial;
    rec = taken;
    rec.tubeMaterial = tubeMaterial;
    rec.finMaterial = finMaterial;
}

void SaveMaker(const std::string& path, bool create) {
    const TMakerCache& cache = Cache();
    XmlNode root;
    TXMLFile xml(path.empty() ? CatalogFileName() : path, 0, root);
    if (xml.ReadStatus != TXMLFile::rsOk || !root) {
        if (!create) return;
        xml.Clear();
        root = xml.FindPath(XmlNode(), {"catalog"}, true);
        xml.SetAttr(root, "kind", "coil");
        xml.SetAttr(root, "version", "1.0.0.0");
        xml.SetAttr(root, "developer", "calorix");
    }
    XmlNode item = xml.FindKeyedChild(root, "item", true, cache.Maker, "maker");
    xml.WriteText(item, "maker", true, cache.Maker);
    xml.WriteText(item, "range", true, kRangeText);
    const TMnfRec defaults = ReadItemDefaults(xml, item);
    for (XmlNode model : xml.GetChildren(item, "model")) item.remove_child(model);

    for (const TMnfRec& e : cache.Entries) {
        XmlNode model = xml.AddChild(item, "model");
        xml.SetAttr(model, "name", e.name);
        xml.SetAttr(model, "d", Format("%d", e.d));
        // Elements are added only when they carry an attribute.
        auto child = [&](XmlNode& node, const char* name) {
            if (!node) node = xml.AddChild(model, name);
            return node;
        };
        XmlNode fin;
        if (e.t != defaults.t) xml.SetAttr(child(fin, "fin"), "t", Format("%0.4f", e.t * 1000));
        if (e.finMaterial != defaults.finMaterial)
            xml.SetAttr(child(fin, "fin"), "mt", e.finMaterial);
        if (e.finF != defaults.finF) xml.SetAttr(child(fin, "fin"), "f", Format("%0.4f", e.finF));
        XmlNode tube = xml.AddChild(model, "tube");
        xml.SetAttr(tube, "id", Format("%0.4f", e.id * 1000));
        xml.SetAttr(tube, "od", Format("%0.4f", e.od * 1000));
        if (e.tubeMaterial != defaults.tubeMaterial) xml.SetAttr(tube, "mt", e.tubeMaterial);
        if (e.tubeF != defaults.tubeF) xml.SetAttr(tube, "f", Format("%0.4f", e.tubeF));
        XmlNode pat = xml.AddChild(model, "pat");
        xml.SetAttr(pat, "sx", Format("%0.3f", e.sx * 1000));
        xml.SetAttr(pat, "sy", Format("%0.3f", e.sy * 1000));
        if (e.kind != defaults.kind) xml.SetAttr(pat, "kind", TubePatternCaption(e.kind));
        if (e.basis != defaults.basis) {
            XmlNode circ = xml.AddChild(model, "circ");
            xml.SetAttr(circ, "basis", BasisText(e.basis));
        }
    }
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(xml.FileName).parent_path(), ec);
    xml.Save();
}

std::string CurrentSpecificationLine(const TModelRec& r) {
    return Format("%s, %s, %0.4f, %0.4f, %0.2f, %0.2f, %0.4f, %s, %s, %s, %0.3f, %0.3f, %d",
                  r.Mnf, r.Model, r.ID * 1000, r.OD * 1000, r.Sx * 1000, r.Sy * 1000,
                  r.tf * 1000, TubePatternCaption(r.tp), MaterialCode(r.Mt), MaterialCode(r.Mf),
                  r.fc, r.ft, r.cb);
}

int BestListedMatch(const TMnfRecVec& entries, const TModelRec& geometry) {
    if (entries.empty()) return -1;
    const TMnfRec rec = ModelToMnf(geometry);
    // The list shows millimetres: diameters and pitches agree to 0.001 mm, the fin thickness
    // to 0.0001 mm, the area factors to 1e-6.
    auto near = [](double tol) {
        return [tol](double a, double b) { return std::fabs(a - b) < tol; };
    };
    const auto mm = near(0.001);
    const auto fin = near(0.0001);
    const auto factor = near(0.000001);
    int best = 0;
    int bestScore = -1;
    for (size_t i = 0; i < entries.size(); ++i) {
        const TMnfRec& e = entries[i];
        if (!mm(e.id * 1000, rec.id * 1000) || !mm(e.od * 1000, rec.od * 1000) ||
            !mm(e.sx * 1000, rec.sx * 1000) || !mm(e.sy * 1000, rec.sy * 1000) ||
            !fin(e.t * 1000, rec.t * 1000) || e.kind != rec.kind || e.basis != rec.basis)
            continue;
        const int score = MatchScore(e, rec, factor);
        if (score == 9) return static_cast<int>(i);
        if (score >= bestScore) {
            best = static_cast<int>(i);
            bestScore = score;
        }
    }
    return best;
}

}  // namespace qdx
