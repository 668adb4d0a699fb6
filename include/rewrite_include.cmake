# cmake -DIN=header -DOUT=header -P rewrite_include.cmake: copies a header for installation
# under include/nelowav/, its own includes of the project's layers made to name that folder.
file(READ ${IN} text)
string(REGEX REPLACE "#include \"(activex|base|com|interface)/" "#include \"nelowav/\\1/" text
       "${text}")
file(WRITE ${OUT} "${text}")
