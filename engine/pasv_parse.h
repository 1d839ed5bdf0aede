// Pure parsers of the replies that carry numbers: 227 (PASV), 229 (EPSV), 213 (SIZE) and 150 "(N bytes)".
#ifndef SKELMER_PASV_PARSE_H
#define SKELMER_PASV_PARSE_H

#include <cstdint>
#include <string_view>

// The port of a 227 reply text "... (h1,h2,h3,h4,p1,p2)". The address is checked for range and
// dropped: the data connection always goes to the control connection's peer.
bool ParsePasvPort(std::string_view svText, uint16_t &nPort);

// The port of a 229 reply text "... (|||port|)", any delimiter from '!' to '~'.
bool ParseEpsvPort(std::string_view svText, uint16_t &nPort);

// The size of a 213 reply's text (after the code and blank): digits only, 64-bit.
bool ParseSizeText(std::string_view svText, uint64_t &nSize);

// The size a 150 reply announces as "(N bytes)".
bool ParseOpeningSize(std::string_view svText, uint64_t &nSize);

#endif
