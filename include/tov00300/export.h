/* What the package's libraries export. They are built with hidden visibility,
 * so a symbol is exported only when its declaration says so:
 *  - TOV00300_EXPORT marks one C function (the plain names, the tov_*
 *    functions);
 *  - TOV00300_API_BEGIN and TOV00300_API_END enclose the declarations of a
 *    public C++ header: everything declared between them is exported.
 * Everything else (the subsystems' own namespaces, the platform seam, helper
 * types) stays inside the library that defines it.
 *
 * Compiles as C99 and as C++. */
#ifndef TOV00300_EXPORT_H_
#define TOV00300_EXPORT_H_

#if defined(__GNUC__) || defined(__clang__)
#define TOV00300_EXPORT __attribute__((visibility("default")))
#define TOV00300_API_BEGIN _Pragma("GCC visibility push(default)")
#define TOV00300_API_END _Pragma("GCC visibility pop")
#else
#define TOV00300_EXPORT
#define TOV00300_API_BEGIN
#define TOV00300_API_END
#endif

#endif /* TOV00300_EXPORT_H_ */
