<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ka">
<context>
    <name>QPlatformTheme</name>
    <message>
        <source>OK</source>
        <translation>კარგი</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>შენახვა</translation>
    </message>
    <message>
        <source>Save All</source>
        <translation>ყველას შენახვა</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>გახსნა</translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <translation>&amp;დიახ</translation>
    </message>
    <message>
        <source>Yes to &amp;All</source>
        <translation>დიახ, &amp;ყველას</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>&amp;არა</translation>
    </message>
    <message>
        <source>N&amp;o to All</source>
        <translation>ა&amp;რა, არცერთს</translation>
    </message>
    <message>
        <source>Abort</source>
        <translation>შეწყვეტა</translation>
    </message>
    <message>
        <source>Retry</source>
        <translation>გამეორება</translation>
    </message>
    <message>
        <source>Ignore</source>
        <translation>გამოტოვება</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>დახურვა</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>გაუქმება</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>უარყოფა</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>დახმარება</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>გამოყენება</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>ჩამოყრა</translation>
    </message>
    <message>
        <source>Restore Defaults</source>
        <translation>ნაგულისხმევის აღდგენა</translation>
    </message>
</context>
<context>
    <name>QDialogButtonBox</name>
    <message>
        <source>OK</source>
        <translation>კარგი</translation>
    </message>
</context>
<context>
    <name>QMessageBox</name>
    <message>
        <source>Show Details...</source>
        <translation>დეტალების ჩვენება...</translation>
    </message>
    <message>
        <source>Hide Details...</source>
        <translation>დეტალების დამალვა...</translation>
    </message>
    <message>
        <source>About Qt</source>
        <translation>Qt-ის შესახებ</translation>
    </message>
</context>
<context>
    <name>QLineEdit</name>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;დაბრუნება</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;გამეორება</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>ა&amp;მოჭრა</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>ა&amp;სლი</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>&amp;ჩასმა</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>წაშლა</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>ყველაფრის მონიშვნა</translation>
    </message>
</context>
<context>
    <name>QWidgetTextControl</name>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;დაბრუნება</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;გამეორება</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>ა&amp;მოჭრა</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>ა&amp;სლი</translation>
    </message>
    <message>
        <source>Copy &amp;Link Location</source>
        <translation>&amp;ბმულის მისამართის ასლი</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>&amp;ჩასმა</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>წაშლა</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>ყველაფრის მონიშვნა</translation>
    </message>
</context>
<context>
    <name>QAbstractSpinBox</name>
    <message>
        <source>&amp;Select All</source>
        <translation>&amp;ყველაფრის მონიშვნა</translation>
    </message>
    <message>
        <source>&amp;Step up</source>
        <translation>&amp;გაზრდა</translation>
    </message>
    <message>
        <source>Step &amp;down</source>
        <translation>&amp;შემცირება</translation>
    </message>
</context>
<context>
    <name>QUnicodeControlCharacterMenu</name>
    <message>
        <source>Insert Unicode control character</source>
        <translation>Unicode-ის მმართველი სიმბოლოს ჩასმა</translation>
    </message>
</context>
<context>
    <name>QInputDialog</name>
    <message>
        <source>Enter a value:</source>
        <translation>შეიყვანეთ მნიშვნელობა:</translation>
    </message>
</context>
<context>
    <name>QProgressDialog</name>
    <message>
        <source>Cancel</source>
        <translation>გაუქმება</translation>
    </message>
</context>
<context>
    <name>QFileSystemModel</name>
    <message>
        <source>Name</source>
        <translation>სახელი</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>ზომა</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>ტიპი</translation>
    </message>
    <message>
        <source>Kind</source>
        <translation>სახე</translation>
    </message>
    <message>
        <source>Date Modified</source>
        <translation>შეცვლის თარიღი</translation>
    </message>
    <message>
        <source>Computer</source>
        <translation>კომპიუტერი</translation>
    </message>
    <message>
        <source>My Computer</source>
        <translation>ჩემი კომპიუტერი</translation>
    </message>
</context>
<context>
    <name>QAbstractFileIconProvider</name>
    <message>
        <source>Drive</source>
        <translation>დისკი</translation>
    </message>
    <message>
        <source>File</source>
        <translation>ფაილი</translation>
    </message>
    <message>
        <source>File Folder</source>
        <translation>საქაღალდე</translation>
    </message>
    <message>
        <source>Folder</source>
        <translation>საქაღალდე</translation>
    </message>
    <message>
        <source>Shortcut</source>
        <translation>მალსახმობი</translation>
    </message>
    <message>
        <source>Alias</source>
        <translation>ფსევდონიმი</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>უცნობი</translation>
    </message>
</context>
<context>
    <name>QFileDialog</name>
    <message>
        <source>%1
Directory not found.
Please verify the correct directory name was given.</source>
        <translation>%1
საქაღალდე ვერ მოიძებნა.
შეამოწმეთ საქაღალდის სახელი.</translation>
    </message>
    <message>
        <source>%1
File not found.
Please verify the correct file name was given.</source>
        <translation>%1
ფაილი ვერ მოიძებნა.
შეამოწმეთ ფაილის სახელი.</translation>
    </message>
    <message>
        <source>%1 already exists.
Do you want to replace it?</source>
        <translation>%1 უკვე არსებობს.
ჩავანაცვლოთ?</translation>
    </message>
    <message>
        <source>&amp;Choose</source>
        <translation>&amp;არჩევა</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;წაშლა</translation>
    </message>
    <message>
        <source>&amp;New Folder</source>
        <translation>&amp;ახალი საქაღალდე</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation>&amp;გახსნა</translation>
    </message>
    <message>
        <source>&amp;Rename</source>
        <translation>&amp;გადარქმევა</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;შენახვა</translation>
    </message>
    <message>
        <source>'%1' is write protected.
Do you want to delete it anyway?</source>
        <translation>„%1“ ჩაწერისგან დაცულია.
მაინც წავშალოთ?</translation>
    </message>
    <message>
        <source>All Files (*)</source>
        <translation>ყველა ფაილი (*)</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>ყველა ფაილი (*)</translation>
    </message>
    <message>
        <source>Are you sure you want to delete '%1'?</source>
        <translation>ნამდვილად წავშალოთ „%1“?</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>უკან</translation>
    </message>
    <message>
        <source>Change to detail view mode</source>
        <translation>დეტალური ხედი</translation>
    </message>
    <message>
        <source>Change to list view mode</source>
        <translation>სიის ხედი</translation>
    </message>
    <message>
        <source>Could not delete directory.</source>
        <translation>საქაღალდე ვერ წაიშალა.</translation>
    </message>
    <message>
        <source>Create New Folder</source>
        <translation>ახალი საქაღალდის შექმნა</translation>
    </message>
    <message>
        <source>Create a New Folder</source>
        <translation>ახალი საქაღალდის შექმნა</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>წაშლა</translation>
    </message>
    <message>
        <source>Detail View</source>
        <translation>დეტალური ხედი</translation>
    </message>
    <message>
        <source>Directories</source>
        <translation>საქაღალდეები</translation>
    </message>
    <message>
        <source>Directory:</source>
        <translation>საქაღალდე:</translation>
    </message>
    <message>
        <source>File &amp;name:</source>
        <translation>ფაილის &amp;სახელი:</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>ფაილები</translation>
    </message>
    <message>
        <source>Files of type:</source>
        <translation>ფაილის ტიპი:</translation>
    </message>
    <message>
        <source>Find Directory</source>
        <translation>საქაღალდის არჩევა</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>წინ</translation>
    </message>
    <message>
        <source>Go back</source>
        <translation>უკან დაბრუნება</translation>
    </message>
    <message>
        <source>Go forward</source>
        <translation>წინ გადასვლა</translation>
    </message>
    <message>
        <source>Go to the parent directory</source>
        <translation>ზედა საქაღალდეში გადასვლა</translation>
    </message>
    <message>
        <source>List View</source>
        <translation>სიის ხედი</translation>
    </message>
    <message>
        <source>List of places and bookmarks</source>
        <translation>ადგილებისა და სანიშნეების სია</translation>
    </message>
    <message>
        <source>Look in:</source>
        <translation>საქაღალდე:</translation>
    </message>
    <message>
        <source>New Folder</source>
        <translation>ახალი საქაღალდე</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>გახსნა</translation>
    </message>
    <message>
        <source>Parent Directory</source>
        <translation>ზედა საქაღალდე</translation>
    </message>
    <message>
        <source>Recent Places</source>
        <translation>ბოლო ადგილები</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>წაშლა</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>შენახვა როგორც</translation>
    </message>
    <message>
        <source>Show </source>
        <translation>ჩვენება </translation>
    </message>
    <message>
        <source>Show &amp;hidden files</source>
        <translation>&amp;დამალული ფაილების ჩვენება</translation>
    </message>
    <message>
        <source>Sidebar</source>
        <translation>გვერდითი პანელი</translation>
    </message>
</context>
<context>
    <name>QColorDialog</name>
    <message>
        <source>Select Color</source>
        <translation>ფერის არჩევა</translation>
    </message>
    <message>
        <source>&amp;Basic colors</source>
        <translation>&amp;ძირითადი ფერები</translation>
    </message>
    <message>
        <source>&amp;Custom colors</source>
        <translation>&amp;საკუთარი ფერები</translation>
    </message>
    <message>
        <source>&amp;Add to Custom Colors</source>
        <translation>საკუთარ ფერებში &amp;დამატება</translation>
    </message>
    <message>
        <source>&amp;Pick Screen Color</source>
        <translation>ეკრანიდან ფერის &amp;აღება</translation>
    </message>
    <message>
        <source>Hu&amp;e:</source>
        <translation>ტო&amp;ნი:</translation>
    </message>
    <message>
        <source>&amp;Sat:</source>
        <translation>&amp;გაჯერება:</translation>
    </message>
    <message>
        <source>&amp;Val:</source>
        <translation>&amp;სიკაშკაშე:</translation>
    </message>
    <message>
        <source>&amp;Red:</source>
        <translation>&amp;წითელი:</translation>
    </message>
    <message>
        <source>&amp;Green:</source>
        <translation>&amp;მწვანე:</translation>
    </message>
    <message>
        <source>Bl&amp;ue:</source>
        <translation>&amp;ლურჯი:</translation>
    </message>
    <message>
        <source>A&amp;lpha channel:</source>
        <translation>&amp;გამჭვირვალობა:</translation>
    </message>
    <message>
        <source>&amp;HTML:</source>
        <translation>&amp;HTML:</translation>
    </message>
    <message>
        <source>Cursor at %1, %2
Press ESC to cancel</source>
        <translation>კურსორი: %1, %2
გასაუქმებლად დააჭირეთ ESC-ს</translation>
    </message>
</context>
</TS>
