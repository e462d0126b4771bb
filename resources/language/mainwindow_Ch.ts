<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>CommandLine</name>
    <message>
        <source>Converts PDF documents into images, in batches.</source>
        <translation>批量将 PDF 文档转换为图像。</translation>
    </message>
    <message>
        <source>PDF files to put in the list; folders are searched for them.</source>
        <translation>要放入列表的 PDF 文件；文件夹会被搜索其中的 PDF 文件。</translation>
    </message>
    <message>
        <source>Convert the PDFs given without a window; vezudiri --convert --help lists its options.</source>
        <translation>不打开窗口转换给出的 PDF；vezudiri --convert --help 列出其选项。</translation>
    </message>
</context>
<context>
    <name>Config</name>
    <message>
        <source>Config</source>
        <translation>设置</translation>
    </message>
    <message>
        <source>this is the gagagag</source>
        <translation>常规设置</translation>
    </message>
    <message>
        <source>General</source>
        <translation>常规</translation>
    </message>
    <message>
        <source>Convert</source>
        <translation>转换</translation>
    </message>
    <message>
        <source>Others </source>
        <translation>其他 </translation>
    </message>
    <message>
        <source>Close Settings</source>
        <translation>关闭设置</translation>
    </message>
    <message>
        <source>Close window, no promotion</source>
        <translation>关闭窗口时不再询问</translation>
    </message>
    <message>
        <source>Prompt me when have list</source>
        <translation>列表中有文件时提醒我</translation>
    </message>
    <message>
        <source>Minimize to tray</source>
        <translation>最小化到托盘</translation>
    </message>
    <message>
        <source>Update Settings</source>
        <translation>更新设置</translation>
    </message>
    <message>
        <source>Check for Updates Automatically</source>
        <translation>自动检查更新</translation>
    </message>
    <message>
        <source>PDF Security</source>
        <translation>PDF安全</translation>
    </message>
    <message>
        <source>Owner Password:</source>
        <translation>所有者密码：</translation>
    </message>
    <message>
        <source>Output</source>
        <translation>输出</translation>
    </message>
    <message>
        <source>Output Folder:</source>
        <translation>输出文件夹：</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>浏览</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>打开</translation>
    </message>
    <message>
        <source>Modify output file name</source>
        <translation>输出文件命名</translation>
    </message>
    <message>
        <source>Use source file name</source>
        <translation>使用源文件名</translation>
    </message>
    <message>
        <source>Name with number</source>
        <translation>以编号命名</translation>
    </message>
    <message>
        <source>Name with following template</source>
        <translation>按以下模板命名</translation>
    </message>
    <message>
        <source>+Number</source>
        <translation>+编号</translation>
    </message>
    <message>
        <source>Tiff Setting</source>
        <translation>TIFF设置</translation>
    </message>
    <message>
        <source>Output one tiff file</source>
        <translation>输出为单个TIFF文件</translation>
    </message>
    <message>
        <source>Post Task Action</source>
        <translation>任务完成后的操作</translation>
    </message>
    <message>
        <source>After the conversion operation</source>
        <translation>转换完成后</translation>
    </message>
    <message>
        <source>Language Setting</source>
        <translation>语言设置</translation>
    </message>
    <message>
        <source>Change Language:</source>
        <translation>更改语言：</translation>
    </message>
    <message>
        <source>Shutdown Plan</source>
        <translation>定时关机</translation>
    </message>
    <message>
        <source>Shutdown</source>
        <translation>关机</translation>
    </message>
    <message>
        <source>Restore Defaults</source>
        <translation>恢复默认设置</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>默认</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Every Day</source>
        <translation>每天</translation>
    </message>
    <message>
        <source>Every Week</source>
        <translation>每周</translation>
    </message>
    <message>
        <source>English</source>
        <translation>英语</translation>
    </message>
    <message>
        <source>Japanese</source>
        <translation>日语</translation>
    </message>
    <message>
        <source>German</source>
        <translation>德语</translation>
    </message>
    <message>
        <source>French</source>
        <translation>法语</translation>
    </message>
    <message>
        <source>Logout</source>
        <translation>注销</translation>
    </message>
    <message>
        <source>Restart</source>
        <translation>重新启动</translation>
    </message>
    <message>
        <source>Show Information</source>
        <translation>显示信息</translation>
    </message>
    <message>
        <source>Invalid template</source>
        <translation>无效的模板</translation>
    </message>
    <message>
        <source>The name template cannot hold a folder separator, &quot;..&quot;, a control character or any of \ : * ? &quot; &lt; &gt; |, and must be shorter than 200 bytes.</source>
        <translation>名称模板不能包含文件夹分隔符、“..”、控制字符或 \ : * ? &quot; &lt; &gt; | 中的任何字符，且必须少于 200 字节。</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Images</source>
        <translation>图像</translation>
    </message>
    <message>
        <source>Smooth text</source>
        <translation>平滑文字</translation>
    </message>
    <message>
        <source>Chinese</source>
        <translation>中文</translation>
    </message>
</context>
<context>
    <name>Dialog</name>
    <message>
        <source>Dialog</source>
        <translation>对话框</translation>
    </message>
    <message>
        <source>Close settings</source>
        <translation>关闭设置</translation>
    </message>
    <message>
        <source>What do you want to do? Exit/Minimize</source>
        <translation>您想执行什么操作？退出/最小化</translation>
    </message>
    <message>
        <source> Exit</source>
        <translation> 退出</translation>
    </message>
    <message>
        <source> Minimize to tray</source>
        <translation> 最小化到托盘</translation>
    </message>
    <message>
        <source> No longer to remind</source>
        <translation> 不再提醒</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>是</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
</context>
<context>
    <name>ErrorDialog</name>
    <message>
        <source>ErrorDialog</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>Insert information</source>
        <translation>添加结果</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Total %1 file(s) be added in filelist.</source>
        <translation>共有%1个文件已添加到文件列表。</translation>
    </message>
    <message>
        <source>Thefollowing %1 file(s) cann’t be added in filelist.</source>
        <translation>以下%1个文件无法添加到文件列表。</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Files not added</source>
        <translation>未添加的文件</translation>
    </message>
</context>
<context>
    <name>FileConversion</name>
    <message>
        <source>The output folder %1 is not taken: %2.</source>
        <translation>未采用输出文件夹 %1：%2。</translation>
    </message>
    <message>
        <source>The record of the complete images in %1 cannot be written.</source>
        <translation>无法写入 %1 中已完成图像的记录。</translation>
    </message>
    <message>
        <source>The pages could not be joined into one TIFF file: %1 is not the page this run wrote. The page files were kept.</source>
        <translation>无法将页面合并为一个 TIFF 文件：%1 不是此次运行写入的页面。页面文件已保留。</translation>
    </message>
    <message>
        <source>The output folder %1 cannot be made, or was not made by this plan: %2.</source>
        <translation>无法创建输出文件夹 %1，或该文件夹不是由此计划创建的：%2。</translation>
    </message>
    <message>
        <source>Another run converts these pages in %1.</source>
        <translation>另一个运行正在 %1 中转换这些页面。</translation>
    </message>
    <message>
        <source>The renderer could not be started: %1</source>
        <translation>无法启动渲染程序：%1</translation>
    </message>
    <message>
        <source>The page selection names no page of this document.</source>
        <translation>页面选择中没有此文档的页面。</translation>
    </message>
    <message>
        <source>No output folder could be created in %1: %2.</source>
        <translation>无法在 %1 中创建输出文件夹：%2。</translation>
    </message>
    <message>
        <source>The renderer (Ghostscript) was not found.</source>
        <translation>找不到渲染程序 (Ghostscript)。</translation>
    </message>
    <message>
        <source>The renderer could not draw page %1.</source>
        <translation>渲染程序无法绘制第 %1 页。</translation>
    </message>
    <message>
        <source>The renderer wrote no image for page %1.</source>
        <translation>渲染程序没有为第 %1 页写出图像。</translation>
    </message>
    <message>
        <source>The image %1 could not be written.</source>
        <translation>无法写入图像 %1。</translation>
    </message>
    <message>
        <source>Page %1 could not be written as GIF: %2</source>
        <translation>无法将第 %1 页写为 GIF：%2</translation>
    </message>
    <message>
        <source>The renderer reported no new page for %1 seconds and was stopped.</source>
        <translation>渲染程序 %1 秒内未报告新页面，已被停止。</translation>
    </message>
    <message>
        <source>The renderer ended abnormally.</source>
        <translation>渲染程序异常结束。</translation>
    </message>
    <message>
        <source>The renderer stopped at page %1 (exit code %2).</source>
        <translation>渲染程序在第 %1 页停止（退出代码 %2）。</translation>
    </message>
    <message>
        <source>The renderer stopped at page %1: %2</source>
        <translation>渲染程序在第 %1 页停止：%2</translation>
    </message>
    <message>
        <source>The renderer wrote no image for page %1: %2</source>
        <translation>渲染程序没有为第 %1 页写出图像：%2</translation>
    </message>
    <message>
        <source>The renderer wrote more images than pages were selected.</source>
        <translation>渲染程序写出的图像多于所选页数。</translation>
    </message>
    <message>
        <source>The pages could not be joined into one TIFF file (tiffcp was not found); the page files were kept.</source>
        <translation>无法将页面合并为一个 TIFF 文件（找不到 tiffcp）；已保留各页文件。</translation>
    </message>
    <message>
        <source>The pages could not be joined into one TIFF file; the page files were kept.</source>
        <translation>无法将页面合并为一个 TIFF 文件；已保留各页文件。</translation>
    </message>
    <message>
        <source>The disk holding %1 is full.</source>
        <translation>%1 所在的磁盘已满。</translation>
    </message>
    <message>
        <source>The name %1 is too long for the file system.</source>
        <translation>名称 %1 对文件系统来说太长。</translation>
    </message>
    <message>
        <source>The renderer cannot be given this password: it holds a line break or two backslashes in a row, or ends in a backslash after a space or a quote.</source>
        <translation>无法将此密码交给渲染器：它包含换行符或两个连续的反斜杠，或在空格或引号之后以反斜杠结尾。</translation>
    </message>
    <message>
        <source>The output folder %1 was moved or replaced during the conversion; the file was stopped.</source>
        <translation>输出文件夹 %1 在转换期间被移动或替换；该文件已停止转换。</translation>
    </message>
</context>
<context>
    <name>GifWriter</name>
    <message>
        <source>Not enough memory to reduce the colours of the image.</source>
        <translation>内存不足，无法减少图像的颜色。</translation>
    </message>
    <message>
        <source>The image could not be prepared for the colour reduction.</source>
        <translation>无法为减色处理准备图像。</translation>
    </message>
    <message>
        <source>The colours of the image could not be reduced to a palette (libimagequant error %1).</source>
        <translation>无法将图像的颜色减少为调色板（libimagequant 错误 %1）。</translation>
    </message>
    <message>
        <source>Writing the GIF data failed: %1</source>
        <translation>写入GIF数据失败：%1</translation>
    </message>
    <message>
        <source>There is no image to write to %1.</source>
        <translation>没有可写入 %1 的图像。</translation>
    </message>
    <message>
        <source>The image is %1 x %2 pixels; a GIF file holds at most %3 x %3.</source>
        <translation>图像大小为 %1 x %2 像素，而GIF文件最大只能容纳 %3 x %3。</translation>
    </message>
    <message>
        <source>The image is %1 x %2 pixels; more than %3 million pixels cannot be made a GIF.</source>
        <translation>图像为 %1 x %2 像素；超过 %3 百万像素的图像无法制作成 GIF。</translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>无法写入 %1：%2</translation>
    </message>
    <message>
        <source>Cannot read the image %1: %2</source>
        <translation>无法读取图像 %1：%2</translation>
    </message>
    <message>
        <source>The GIF encoding was cancelled.</source>
        <translation>GIF 编码已取消。</translation>
    </message>
</context>
<context>
    <name>ListCls</name>
    <message>
        <source>ListCls</source>
        <translation>清空列表</translation>
    </message>
    <message>
        <source>Warring</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>Clear whether the conversion</source>
        <translation>是否清空转换列表</translation>
    </message>
    <message>
        <source> list and close the program.</source>
        <translation> 并关闭程序？</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>MainWindow</source>
        <translation>主窗口</translation>
    </message>
    <message>
        <source>Add Files</source>
        <translation>添加文件</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>移除</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>清空</translation>
    </message>
    <message>
        <source>Item</source>
        <translation>序号</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名称</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>大小</translation>
    </message>
    <message>
        <source>Format</source>
        <translation>格式</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>状态</translation>
    </message>
    <message>
        <source>Getting started</source>
        <translation>快速入门</translation>
    </message>
    <message>
        <source>1、Click &quot;</source>
        <translation>1、点击“</translation>
    </message>
    <message>
        <source>&quot; to import file</source>
        <translation>”导入文件</translation>
    </message>
    <message>
        <source>2、Click &quot;</source>
        <translation>2、点击“</translation>
    </message>
    <message>
        <source>&quot; to convert file</source>
        <translation>”转换文件</translation>
    </message>
    <message>
        <source>Output Format:</source>
        <translation>输出格式：</translation>
    </message>
    <message>
        <source>Options:</source>
        <translation>选项：</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>选项</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>值</translation>
    </message>
    <message>
        <source>Apply to all</source>
        <translation>应用到全部</translation>
    </message>
    <message>
        <source>Apply to all DPI</source>
        <translation>DPI应用到全部</translation>
    </message>
    <message>
        <source>Output Folder</source>
        <translation>输出文件夹</translation>
    </message>
    <message>
        <source>Save file in source folder</source>
        <translation>保存到源文件夹</translation>
    </message>
    <message>
        <source>Customize</source>
        <translation>自定义</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>打开</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>开始</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>VEZ ud IRI</source>
        <translation>VEZ ud IRI</translation>
    </message>
    <message>
        <source>ZEMRA VEZ ud Iri</source>
        <translation>ZEMRA VEZ ud Iri</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>退出</translation>
    </message>
    <message>
        <source>Add File(s) ...</source>
        <translation>添加文件...</translation>
    </message>
    <message>
        <source>Add Folder ...</source>
        <translation>添加文件夹...</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>删除</translation>
    </message>
    <message>
        <source>Delect All</source>
        <translation>全部删除</translation>
    </message>
    <message>
        <source>Chinese</source>
        <translation>中文</translation>
    </message>
    <message>
        <source>English</source>
        <translation>英语</translation>
    </message>
    <message>
        <source>Japanese</source>
        <translation>日语</translation>
    </message>
    <message>
        <source>German</source>
        <translation>德语</translation>
    </message>
    <message>
        <source>French</source>
        <translation>法语</translation>
    </message>
    <message>
        <source>Classic</source>
        <translation>经典</translation>
    </message>
    <message>
        <source>Elegant</source>
        <translation>优雅</translation>
    </message>
    <message>
        <source>Configuration</source>
        <translation>设置</translation>
    </message>
    <message>
        <source>Official Website</source>
        <translation>官方网站</translation>
    </message>
    <message>
        <source>About</source>
        <translation>关于</translation>
    </message>
    <message>
        <source>Check for Updates</source>
        <translation>检查更新</translation>
    </message>
    <message>
        <source>Display window</source>
        <translation>显示窗口</translation>
    </message>
    <message>
        <source>Open file</source>
        <translation>打开文件</translation>
    </message>
    <message>
        <source>File Information</source>
        <translation>文件信息</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>语言</translation>
    </message>
    <message>
        <source>Skin</source>
        <translation>皮肤</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>就绪</translation>
    </message>
    <message>
        <source>All Pages</source>
        <translation>全部页面</translation>
    </message>
    <message>
        <source>Select Pages</source>
        <translation>选择页面</translation>
    </message>
    <message>
        <source>Width</source>
        <translation>宽度</translation>
    </message>
    <message>
        <source>Height</source>
        <translation>高度</translation>
    </message>
    <message>
        <source>Colors</source>
        <translation>颜色</translation>
    </message>
    <message>
        <source>Merge into One</source>
        <translation>合并为一个文件</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>&lt;font color=red&gt;P2I程序异常结束.&lt;/font&gt;<byte value="xd"/>
</source>
        <translation>&lt;font color=red&gt;P2I程序异常结束。&lt;/font&gt;<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>Some files have already been changed. Do you want to convert again?</source>
        <translation>部分文件已经转换过。是否要重新转换？</translation>
    </message>
    <message>
        <source>
Invalid output path!</source>
        <translation>
输出路径无效！</translation>
    </message>
    <message>
        <source>Open Directory</source>
        <translation>选择文件夹</translation>
    </message>
    <message>
        <source> &lt;File name error(without %)&gt;</source>
        <translation> &lt;文件名错误（不能包含%）&gt;</translation>
    </message>
    <message>
        <source>Open Error</source>
        <translation>打开错误</translation>
    </message>
    <message>
        <source>Can not open program pdfinfo.exe</source>
        <translation>无法打开程序 pdfinfo.exe</translation>
    </message>
    <message>
        <source> &lt;Format error&gt;</source>
        <translation> &lt;格式错误&gt;</translation>
    </message>
    <message>
        <source> &lt;Cancel&gt;</source>
        <translation> &lt;已取消&gt;</translation>
    </message>
    <message>
        <source> &lt;Password error&gt;</source>
        <translation> &lt;密码错误&gt;</translation>
    </message>
    <message>
        <source>%1</source>
        <translation>%1</translation>
    </message>
    <message>
        <source>    Are you sure to clear all the items from the list</source>
        <translation>    确定要清空列表中的所有项目吗？</translation>
    </message>
    <message>
        <source>    Are you sure to remove the selected item(s) from the lies</source>
        <translation>    确定要从列表中移除所选项目吗？</translation>
    </message>
    <message>
        <source>All</source>
        <translation>全部</translation>
    </message>
    <message>
        <source>Page:example(1,3,7-9)</source>
        <translation>页码:例如(1,3,7-9)</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>是</translation>
    </message>
    <message>
        <source>No</source>
        <translation>否</translation>
    </message>
    <message>
        <source>  invalid format or out of range!</source>
        <translation>  格式无效或超出范围！</translation>
    </message>
    <message>
        <source>  Invalid output path or output file name!</source>
        <translation>  输出路径或输出文件名无效！</translation>
    </message>
    <message>
        <source>  Are you sure to logout the windows!</source>
        <translation>  确定要注销当前用户吗？</translation>
    </message>
    <message>
        <source>  Are you sure to restart the windows!</source>
        <translation>  确定要重新启动计算机吗？</translation>
    </message>
    <message>
        <source>  Are you sure to shutdown the windows!</source>
        <translation>  确定要关闭计算机吗？</translation>
    </message>
    <message>
        <source>(%1)</source>
        <translation>(%1)</translation>
    </message>
    <message>
        <source>  The system did not accept the request.</source>
        <translation>  系统未接受该请求。</translation>
    </message>
    <message>
        <source>Conversion stopped</source>
        <translation>转换已停止</translation>
    </message>
    <message>
        <source>The files converted keep their images; the others wait for the next run.</source>
        <translation>已转换的文件保留其图像；其余文件等待下次转换。</translation>
    </message>
    <message>
        <source>The images need %1 on %2, where %3 is free.</source>
        <translation>图像需要 %2 上的 %1 空间，而可用空间为 %3。</translation>
    </message>
    <message>
        <source>Not enough room</source>
        <translation>空间不足</translation>
    </message>
    <message>
        <source>Convert anyway</source>
        <translation>仍然转换</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Should the disk fill up, the run stops there; the files converted keep their images.</source>
        <translation>如果磁盘写满，转换会在那里停止；已转换的文件保留其图像。</translation>
    </message>
    <message>
        <source>
The output folder must be a full path, such as /home/me/images.</source>
        <translation>
输出文件夹必须是完整路径，例如 /home/me/images。</translation>
    </message>
    <message>
        <source> &lt;Not readable&gt;</source>
        <translation> &lt;无法读取&gt;</translation>
    </message>
    <message>
        <source> &lt;Not a file&gt;</source>
        <translation> &lt;不是文件&gt;</translation>
    </message>
    <message>
        <source>%1 of %2 files, %3 of %4 pages</source>
        <translation>文件 %1/%2，页面 %3/%4</translation>
    </message>
    <message>
        <source>%1 left</source>
        <translation>剩余 %1</translation>
    </message>
    <message>
        <source>%1 file(s) converted, %2 failed</source>
        <translation>已转换 %1 个文件，%2 个失败</translation>
    </message>
    <message>
        <source>Updates come from your distribution&apos;s package manager.</source>
        <translation>更新由您的发行版的软件包管理器提供。</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>最小化</translation>
    </message>
    <message>
        <source>Main menu</source>
        <translation>主菜单</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>文件</translation>
    </message>
    <message>
        <source>Output folder</source>
        <translation>输出文件夹</translation>
    </message>
    <message>
        <source>Choose the output folder</source>
        <translation>选择输出文件夹</translation>
    </message>
    <message>
        <source>No preview</source>
        <translation>无预览</translation>
    </message>
</context>
<context>
    <name>PngWriter</name>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>无法写入 %1：%2</translation>
    </message>
    <message>
        <source>there is no image to write.</source>
        <translation>没有可写入的图像。</translation>
    </message>
    <message>
        <source>not enough memory.</source>
        <translation>内存不足。</translation>
    </message>
</context>
<context>
    <name>ProDlg</name>
    <message>
        <source>ProDlg</source>
        <translation>进度</translation>
    </message>
    <message>
        <source>Open File</source>
        <translation>打开文件</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
</context>
<context>
    <name>RawImage</name>
    <message>
        <source>Cannot read the image %1: %2</source>
        <translation>无法读取图像 %1：%2</translation>
    </message>
    <message>
        <source>it is not a regular file.</source>
        <translation>它不是普通文件。</translation>
    </message>
    <message>
        <source>it is not a raw PNM image.</source>
        <translation>它不是原始 PNM 图像。</translation>
    </message>
    <message>
        <source>its header is damaged.</source>
        <translation>其文件头已损坏。</translation>
    </message>
    <message>
        <source>it has %1 levels a sample, not 256.</source>
        <translation>每个采样有 %1 级，而不是 256 级。</translation>
    </message>
    <message>
        <source>it is %1 x %2 pixels; at most %3 million are read.</source>
        <translation>它为 %1 x %2 像素；最多读取 %3 百万像素。</translation>
    </message>
    <message>
        <source>it holds %1 bytes of pixels instead of %2.</source>
        <translation>它包含 %1 字节的像素数据，而不是 %2 字节。</translation>
    </message>
    <message>
        <source>it changed while it was read.</source>
        <translation>读取期间它已被更改。</translation>
    </message>
</context>
<context>
    <name>StartDlg</name>
    <message>
        <source>StartDlg</source>
        <translation>启动</translation>
    </message>
    <message>
        <source>Version:</source>
        <translation>版本：</translation>
    </message>
    <message>
        <source>Initializing:</source>
        <translation>正在初始化：</translation>
    </message>
</context>
<context>
    <name>PlanFolder</name>
    <message>
        <source>it is no folder, or a link</source>
        <translation>它不是文件夹，或是一个链接</translation>
    </message>
    <message>
        <source>it belongs to another user</source>
        <translation>它属于另一个用户</translation>
    </message>
    <message>
        <source>other users can write in it</source>
        <translation>其他用户可以在其中写入</translation>
    </message>
    <message>
        <source>its plan mark is not a file of this user&apos;s that only this user can write</source>
        <translation>它的计划标记不是此用户自己的、仅此用户可写的文件</translation>
    </message>
    <message>
        <source>this plan did not make it</source>
        <translation>此计划并未创建它</translation>
    </message>
</context>
<context>
    <name>TiffPages</name>
    <message>
        <source>Cannot finish the TIFF file %1: %2</source>
        <translation>无法完成 TIFF 文件 %1：%2</translation>
    </message>
    <message>
        <source>it is no valid TIFF file.</source>
        <translation>它不是有效的 TIFF 文件。</translation>
    </message>
</context>
<context>
    <name>aboutDlg</name>
    <message>
        <source>aboutDlg</source>
        <translation>关于</translation>
    </message>
    <message>
        <source>About</source>
        <translation>关于</translation>
    </message>
    <message>
        <source>Version:</source>
        <translation>版本：</translation>
    </message>
    <message>
        <source>HomePage:</source>
        <translation>主页：</translation>
    </message>
    <message>
        <source>Copyright © 2026 ZEMRA. All rights reserved.</source>
        <translation>Copyright © 2026 ZEMRA. 保留所有权利。</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
</context>
<context>
    <name>deleteDlg</name>
    <message>
        <source>deleteDlg</source>
        <translation>确认</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>是</translation>
    </message>
    <message>
        <source>No</source>
        <translation>否</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
</context>
<context>
    <name>fileInfo</name>
    <message>
        <source>fileInfo</source>
        <translation>文件信息</translation>
    </message>
    <message>
        <source>File Properties</source>
        <translation>文件属性</translation>
    </message>
    <message>
        <source>File</source>
        <translation>文件</translation>
    </message>
    <message>
        <source>File name:</source>
        <translation>文件名：</translation>
    </message>
    <message>
        <source>File path:</source>
        <translation>文件路径：</translation>
    </message>
    <message>
        <source>CreationDate:</source>
        <translation>创建日期：</translation>
    </message>
    <message>
        <source>File size:</source>
        <translation>文件大小：</translation>
    </message>
    <message>
        <source>Page size:</source>
        <translation>页面大小：</translation>
    </message>
    <message>
        <source>Pages:</source>
        <translation>页数：</translation>
    </message>
    <message>
        <source>PDF Version:</source>
        <translation>PDF版本：</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
</context>
<context>
    <name>information</name>
    <message>
        <source>information</source>
        <translation>信息</translation>
    </message>
    <message>
        <source>Successfully</source>
        <translation>转换完成</translation>
    </message>
    <message>
        <source>Success: %1 file(s)</source>
        <translation>成功：%1个文件</translation>
    </message>
    <message>
        <source>Fail:    %1 file(s)</source>
        <translation>失败：%1个文件</translation>
    </message>
    <message>
        <source>Some files failed</source>
        <translation>部分文件转换失败</translation>
    </message>
    <message>
        <source>All files failed</source>
        <translation>全部文件转换失败</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
</context>
<context>
    <name>passWordPDF</name>
    <message>
        <source>passWordPDF</source>
        <translation>PDF密码</translation>
    </message>
    <message>
        <source>请输入PDF文件的密码.</source>
        <translation>请输入PDF文件的密码。</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>密码</translation>
    </message>
</context>
<context>
    <name>shutdowndlg</name>
    <message>
        <source>shutdowndlg</source>
        <translation>关机</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>是</translation>
    </message>
    <message>
        <source>No</source>
        <translation>否</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
</context>
</TS>
