#include "lists/address.h"

#include "core/archive.h"

void CAddress::SetAddress(const std::string& name, const std::string& street, const std::string& houseNumber,
                          const std::string& city, const std::string& zip, const std::string& country) {
    m_name = name;
    m_street = street;
    m_houseNumber = houseNumber;
    m_city = city;
    m_zip = zip;
    m_country = country;
}

void CAddress::SetNumbers(const std::string& phone, const std::string& fax, const std::string& radioChannel) {
    m_phone = phone;
    m_fax = fax;
    m_radioChannel = radioChannel;
}

void CAddress::Serialize(CArchive& ar) {
    ar.String("country", m_country);
    ar.String("eMail", m_eMail);
    ar.String("houseNumber", m_houseNumber);
    ar.String("zip", m_zip);
    ar.String("street", m_street);
    ar.String("name", m_name);
    ar.String("city", m_city);
    ar.String("fax", m_fax);
    ar.String("phone", m_phone);
    ar.String("radioChannel", m_radioChannel);
    ar.String("notes", m_notes);
}
