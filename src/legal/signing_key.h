// The package's EAD signing key: the two constant texts handed to the signing
// library with every file to sign. Its public half ships in
// signer/ead-public-key.txt, so that anyone can check the files.
#ifndef TOV00300_SRC_LEGAL_SIGNING_KEY_H_
#define TOV00300_SRC_LEGAL_SIGNING_KEY_H_

namespace Tov00300::legal {

// 256 upper-case hexadecimal digits each (1024 bits).
extern const char kSigningModulus[];
extern const char kSigningPrivateExponent[];

}  // namespace Tov00300::legal

#endif  // TOV00300_SRC_LEGAL_SIGNING_KEY_H_
