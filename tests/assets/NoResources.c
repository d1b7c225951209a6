/* A DLL without any resources (and without code): what a failed or foreign build may leave under a
   language library's name. */
