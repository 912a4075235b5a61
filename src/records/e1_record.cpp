#include "records/e1_record.h"

#include "records/real48.h"

namespace kestrana {

namespace {

using K = FieldKind;

void AddBoat(FieldTableBuilder& b, size_t base, const char* suffix, const char* type0, const char* type1,
             const char* share1, const char* share2) {
    std::string s = suffix;
    b.Single("edScafosName" + s, base + 0, K::String, 40);
    b.Single("edScafosLimani" + s, base + 62, K::String, 40);
    b.Single("edScafosCountry" + s, base + 103, K::String, 20);
    b.Single("edScafosLen" + s, base + 124, K::Byte);
    b.Single(type0, base + 130, K::Bool);
    b.Single(type1, base + 131, K::Bool);
    b.Single("edScafosMonths" + s, base + 134, K::Int16);
    b.Single(share1, base + 136, K::Byte);
    b.Single(share2, base + 137, K::Byte);
}

std::vector<RecordField> BuildE1Fields() {
    std::vector<RecordField> v;
    FieldTableBuilder b(v);
    b.Single("edAACode", 0, K::Int32);
    b.Single("edAFM", 4, K::String, 12);
    b.Single("edBigName", 17, K::String, 40);
    b.Single("edName", 58, K::String, 40);
    b.Single("edPhone", 99, K::String, 10);
    b.Single("edDoy", 151, K::String, 30);
    b.Single("edEkprot", 213, K::Byte);
    b.Single("edFatherName", 214, K::String, 15);
    b.Single("edTaytNum", 313, K::String, 10);
    b.Single("edAdress", 324, K::String, 50);
    b.Single("edSyzBigName", 375, K::String, 25);
    b.Single("edSyzName", 401, K::String, 15);
    b.Single("edSyzFatherName", 417, K::String, 15);
    b.Single("edSyzTaytNum", 433, K::String, 10);
    b.Single("edSyzJobAdr", 480, K::String, 50);
    b.Single("edSyzPhone", 531, K::String, 15);
    b.Single("edEkprosopos", 547, K::String, 80);
    b.Single("edParoxi", 628, K::String, 60);
    b.Rows("rent", 1116, 43, 1, 7,
           {{"edEnoikioName", 0, K::String, 25}, {"ed80", 26, K::String, 10}, {"edEnoikioEpif", 37, K::Real48}});
    b.Rows("residences", 1503, 289, 1, 3, {{"edPlace", 0, K::String, 255}, {"edThesi", 258, K::String, 5}});
    b.Single("edCompany8aName", 2371, K::String, 50);
    b.Single("edCompany8aDiax", 2422, K::String, 20);
    b.Single("edCompany8aDOY", 2443, K::String, 30);
    b.Single("edCompany8bName", 2475, K::String, 50);
    // Row 3 of the table at 2994 (rows 1, 2 and 4 are unused).
    b.Single("edCompName9", 2994 + 86 + 0, K::String, 25);
    b.Single("edCompAFM9", 2994 + 86 + 26, K::String, 10);
    b.Single("edCompEpifania9", 2994 + 86 + 37, K::Real48);
    b.Rows("cars", 3166, 45, 1, 7,
           {{"edCarName", 0, K::String, 25},
            {"edCarNumber", 26, K::String, 10},
            {"edCarIppoi", 37, K::Int16},
            {"edCarMonths", 39, K::Byte},
            {"edCarPosost", 40, K::Byte},
            {"edCarYear", 41, K::Int16},
            {"cbCarWhich", 43, K::Star}});
    AddBoat(b, 3571, "", "cbBoatType0", "cbBoatType1", "edScafosPososto1", "edScafosPososto2");
    b.Single("edAeroPlaneName", 3709, K::String, 40);
    b.Single("edAeroPlaneTipos", 3750, K::String, 20);
    b.Single("edAeroPlaneNum", 3771, K::String, 40);
    b.Single("edAeroPlaneLimani", 3812, K::String, 20);
    b.Single("edAeroPlaneKoroi", 3834, K::Int32);
    b.Single("edAeroPlaneMonths", 3843, K::Int16);
    b.Single("edDexamOutMetr", 3847, K::Real48);
    b.Single("edDexamInMetr", 3853, K::Real48);
    b.Single("edDexamPosOut", 3859, K::Real48);
    b.Single("edDexamSPosOut", 3865, K::Real48);
    b.Single("edDexamPosIn", 3871, K::Real48);
    b.Single("edDexamSPosIn", 3877, K::Real48);
    b.Single("edTrapezaName", 3883, K::String, 20);
    b.Single("edTrapezaCode", 3904, K::String, 3);
    b.Single("edIBAN", 3908, K::String, 26);
    b.Rows("dependants", 3949, 88, 1, 4,
           {{"edP2Name", 0, K::String, 15},
            {"edP2Year", 16, K::String, 4},
            {"edP2School", 21, K::String, 15},
            {"edP2BigName", 37, K::String, 28},
            {"edP2Ypox", 66, K::String, 10},
            {"edP2Syz", 77, K::String, 10}});
    b.Single("edSyzAFM", 5534, K::String, 12);
    b.Single("edCompany8AFM1", 5553, K::String, 12);
    b.Single("edCompany8AFM2", 5566, K::String, 12);
    b.Single("edCompany8AFM3", 5579, K::String, 12);
    b.Single("edCompany12cAFM", 5592, K::String, 12);
    b.Single("edEkprosAFM", 5618, K::String, 12);
    b.Single("cbMarried", 5650, K::Bool);
    b.Rows("cars", 6214, 2, 1, 7, {{"edCarMeiwsi", 0, K::String, 1}});
    b.Single("edDOYTK", 6270, K::String, 6);
    b.Rows("dependants", 6277, 10, 1, 4, {{"edP2AFM", 0, K::String, 9}});
    b.Single("cbExairesiF", 6317, K::Bool);
    b.Single("cbTelos400F", 6318, K::Bool);
    b.Single("cbExairesiS", 6319, K::Bool);
    b.Single("cbTelos400S", 6320, K::Bool);
    b.Single("edAMKA", 6659, K::String, 15);
    b.Single("edSyzAMKA", 6756, K::String, 15);
    AddBoat(b, 6853, "2", "cbBoatType2", "cbBoatType3", "edScafosPososto3", "edScafosPososto4");
    return v;
}

}  // namespace

const std::vector<RecordField>& E1Fields() {
    static const std::vector<RecordField> fields = BuildE1Fields();
    return fields;
}

CodeEntry E1Record::GetCode(int k) const {
    if (k < 0 || k >= kCodeCount) throw std::out_of_range("code entry " + std::to_string(k));
    const uint8_t* p = bytes_.data() + kCodeTableOffset + kCodeEntrySize * static_cast<size_t>(k);
    CodeEntry e;
    e.code = static_cast<int16_t>(static_cast<uint16_t>(p[0] | p[1] << 8));
    e.value = DecodeReal48(p + 2);
    return e;
}

void E1Record::SetCode(int k, int16_t code, long double value) {
    if (k < 0 || k >= kCodeCount) throw std::out_of_range("code entry " + std::to_string(k));
    Real48Bytes v = EncodeReal48(value);
    uint8_t* p = bytes_.data() + kCodeTableOffset + kCodeEntrySize * static_cast<size_t>(k);
    auto u = static_cast<uint16_t>(code);
    p[0] = static_cast<uint8_t>(u);
    p[1] = static_cast<uint8_t>(u >> 8);
    for (size_t i = 0; i < 6; ++i) p[2 + i] = v[i];
}

void E1Record::ClearCodes() {
    for (size_t i = 0; i < kCodeEntrySize * kCodeCount; ++i) bytes_[kCodeTableOffset + i] = 0;
}

std::vector<CodeEntry> E1Record::UsedCodes() const {
    std::vector<CodeEntry> out;
    for (int k = 0; k < kCodeCount; ++k) {
        CodeEntry e = GetCode(k);
        if (e.code > 0) out.push_back(e);
    }
    return out;
}

int32_t E1Record::RegistrationNumber() const { return static_cast<int32_t>(GetInt(E1Fields().front())); }
void E1Record::SetRegistrationNumber(int32_t n) { SetInt(E1Fields().front(), n); }
std::string E1Record::TaxNumber() const { return GetText(E1Fields()[1]); }

}  // namespace kestrana
