#pragma once

#include <string>

class CArchive;

// An address: name, postal address, telephone, fax, e-mail, a radio channel
// and free notes. The destination port keeps three of them.
class CAddress {
public:
    // Placeholders until the officer fills in the real party.
    static constexpr const char* kDefaultName = "Nobody";
    static constexpr const char* kDefaultEMail = "nobody@example.com";

    std::string m_notes;
    std::string m_fax;
    std::string m_phone;
    std::string m_radioChannel; // the VHF channel of the pilot service or port control
    std::string m_country = "Earth";
    std::string m_city = "Somewhere";
    std::string m_zip = "SOL3B";
    std::string m_houseNumber = "69";
    std::string m_street = "Orbit";
    std::string m_name = kDefaultName;
    std::string m_eMail = kDefaultEMail;

    void SetAddress(const std::string& name, const std::string& street, const std::string& houseNumber,
                    const std::string& city, const std::string& zip, const std::string& country);
    void SetNumbers(const std::string& phone, const std::string& fax, const std::string& radioChannel);

    // The eleven strings in file order: country, e-mail, house number, zip,
    // street, name, city, fax, phone, radio channel, notes.
    void Serialize(CArchive& ar);

    bool operator==(const CAddress&) const = default;
};
