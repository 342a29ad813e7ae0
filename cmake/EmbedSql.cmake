# Writes OUT: a C++ source holding the text of each SQL file in FILES (a ;-list), in their order, as
#   const char* const kExtensionSql[] and int kExtensionSqlCount.
set(body "// Generated from data/extensions/*.sql; edit those files instead.\n")
string(APPEND body "namespace kessory::generated {\nextern const char* const kExtensionSql[];\nextern const int kExtensionSqlCount;\n")
string(APPEND body "const char* const kExtensionSql[] = {\n")
set(count 0)
foreach(file IN LISTS FILES)
    file(READ ${file} text)
    string(APPEND body "R\"KESSORYSQL(${text})KESSORYSQL\",\n")
    math(EXPR count "${count} + 1")
endforeach()
string(APPEND body "nullptr };\nconst int kExtensionSqlCount = ${count};\n}\n")
file(WRITE ${OUT}.tmp "${body}")
file(COPY_FILE ${OUT}.tmp ${OUT} ONLY_IF_DIFFERENT)
