/* The EAD signer (libsign_bema.so): signs a legal text file in place with
 * the record the fiscal rules ask for at its end, and checks such a record.
 *
 * The EAD record is one line: "EAD", 256 upper-case hexadecimal digits, CR
 * LF. The digits are the RSA-1024 private-key operation, without a padding
 * scheme, on a 128-byte block: the byte 0x10, the 16 bytes of the MD5 digest
 * of every byte of the file before the record, then 111 zero bytes. A file
 * that does not end with a line feed gets a CR LF first, and that CR LF is
 * part of the signed bytes (an empty file gets none: the record is its first
 * line).
 *
 * Key texts are hexadecimal, either letter case, zero terminated: the modulus
 * and the private exponent have exactly 256 digits (leading zeros kept), the
 * public exponent 1 to 256. Files are read in pieces, never whole, and are
 * left exactly as they were by every call that does not answer EAD_OK.
 *
 * Usable from C and C++; every function is safe on any thread, and may be
 * called with any file path, existing or not. */
#ifndef SIGN_BEMA_H_
#define SIGN_BEMA_H_

#ifdef __cplusplus
extern "C" {
#endif

enum {
  EAD_OK = 1,
  EAD_NOT_SIGNED = 0,          /* validateFile: no record, or one that does not match */
  EAD_ERR_FILE = -1,           /* the file cannot be opened or read, or it changed while it was
                                  read: written to, or another file renamed over its name */
  EAD_ERR_KEY = -2,            /* a key text of the wrong length, not hexadecimal, or no key */
  EAD_ERR_WRITE = -3,          /* the record could not be written; the file is as it was */
  EAD_ERR_ALREADY_SIGNED = -4, /* generateEAD: the file already ends with an EAD record */
  EAD_ERR_ARGUMENT = -5,       /* a null text where one is needed */
  EAD_ERR_CRYPTO = -6          /* the cryptographic library failed (out of memory) */
};

/* Accepts any library type and answers EAD_OK; kept for callers that set it. */
int setLibType(int type);

/* Makes a new RSA-1024 key pair (public exponent 65537). `modulus` and
 * `privateExponent` receive 256 hexadecimal digits and a terminating zero
 * (257 bytes each); `publicExponent` its digits, an even count of at most 256,
 * and a terminating zero (257 bytes is always enough). */
int genkkey(char* modulus, char* publicExponent, char* privateExponent);

/* Signs the file. `signature`, when not null, receives the 256 digits of the
 * record (exactly 256 bytes, no terminator is written: the caller's buffer of
 * 256 blanks keeps its own). `append` 0 only computes the digits; any other
 * value also appends the record to the file, which then ends with it. */
int generateEAD(const char* path, const char* privateExponent, const char* modulus, char* signature,
                int append);

/* EAD_OK when the file's last line is an EAD record that matches the bytes
 * before it under the public key, EAD_NOT_SIGNED when there is no such record
 * or it does not match, a negative code for an unreadable file or a bad key. */
int validateFile(const char* path, const char* modulus, const char* publicExponent);

#ifdef __cplusplus
}
#endif

#endif /* SIGN_BEMA_H_ */
