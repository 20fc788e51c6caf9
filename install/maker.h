// The maker's web presence: one host for the web site and the registration page.
#pragma once

inline constexpr char kMakerShortName[] = "Kyv";
inline constexpr char kMakerHost[] = "www.kyv.com";
inline constexpr char kRegistrationUrl[] = "http://www.kyv.com/kyvportal/kyvcare/prodreg/prodregistration.aspx";
