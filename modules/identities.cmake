# The identity of each module, in pipeline order: the class identifier the pipeline
# configuration names it by, the control GUID of its trace provider and the message GUID of its
# trace events (kxfinish and kxorder share one). This table is the only place they are written:
# the modules, the pipeline configuration and the tests are generated from it.
set(KX_MODULES kxprep kxorder kxlayout kxfinish kxrip)

set(kxprep_CLASS_ID        637E7807-FAD7-4495-886B-E62BAA61F56A)
set(kxprep_TRACE_CONTROL   D3463705-415E-42BC-9E6C-BC349A954F01)
set(kxprep_TRACE_MESSAGE   5D06B0D5-6D35-4D55-88F1-0339A2CE110B)

set(kxorder_CLASS_ID       AE1B2EED-B69C-4F63-B4B5-38CF8DC53271)
set(kxorder_TRACE_CONTROL  B60B45D1-9963-4C24-9450-74447B5FAF0A)
set(kxorder_TRACE_MESSAGE  7737DCBB-7FB5-4B4A-85A3-9CDD24D8EE7F)

set(kxlayout_CLASS_ID      43F297EF-2D96-421C-ADED-58F0B63A5DA4)
set(kxlayout_TRACE_CONTROL 4CF68617-B2F6-46DF-8989-04541CF8E0C8)
set(kxlayout_TRACE_MESSAGE C328CA24-D488-4F54-BA15-BC8D69217141)

set(kxfinish_CLASS_ID      A152FFE3-99B7-439C-BB13-4368AB5C4FEA)
set(kxfinish_TRACE_CONTROL 4639718E-061A-432C-B594-47CD527D14A6)
set(kxfinish_TRACE_MESSAGE 7737DCBB-7FB5-4B4A-85A3-9CDD24D8EE7F)

set(kxrip_CLASS_ID         E9CD341A-820F-4A34-98DA-F3AB4D7C7486)
set(kxrip_TRACE_CONTROL    FE5F2BC4-655E-4676-A482-84E609798745)
set(kxrip_TRACE_MESSAGE    09CAF363-6698-4A36-89A7-7F38DF79D51D)
